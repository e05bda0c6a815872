#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The rank query's options as the setting4 value keeps them: five fields joined by "|": the tags
// of the ticked engines joined by "$", the mode ("0" one site with many keywords, else "1"),
// the depth list's index, and the two option boxes (0 or 1).
struct RankSetting {
    QStringList engineTags;
    int mode = 0;
    // Nothing for a field that is missing or no whole number: its control keeps its design.
    std::optional<int> depthIndex;
    std::optional<int> exactMatch;
    std::optional<int> countPaid;
};

inline const QString kRankSettingName = QStringLiteral("setting4");
inline const QString kRankUrlSettingName = QStringLiteral("settingurl");

// Baidu and Google ticked, mode 0, depth "50", both boxes clear.
QString DefaultRankSetting();

RankSetting ParseRankSetting(const QString& text);
QString FormatRankSetting(const RankSetting& setting);
