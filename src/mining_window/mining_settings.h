#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace platform {
class Connection;
}

// What the mining window remembers between runs of the program: the option boxes of each
// pane as one settings value ("|"-joined fields), and seven of its texts in the one row of
// table kwsetting. Below the window: texts and numbers only.
namespace mining_settings {

// A pane's settings value: its name under the program's settings key, its default and how
// many fields it has.
struct PaneSetting {
    QString name;
    QString defaultText;
    int fieldCount;
    // The first field is a text as typed (the batch pane's number box), which may itself hold
    // a "|"; the other fields are numbers.
    bool textFirst;
};

inline const PaneSetting kRegularSetting{QStringLiteral("setting1"), QStringLiteral("0|0|0|0|0"), 5,
                                         false};
inline const PaneSetting kBatchSetting{QStringLiteral("setting2"),
                                       QStringLiteral("100|1|0|0|0|0|0|0"), 8, true};
inline const PaneSetting kManualSetting{QStringLiteral("setting3"), QStringLiteral("0|0|0|0|0"), 5,
                                        false};

// The stored value of `setting`; a missing or empty one is replaced by the default, which is
// written back at once (creating the settings key when needed).
QString ReadPaneSetting(const PaneSetting& setting);
// Stores `fields` joined by "|".
void WritePaneSetting(const PaneSetting& setting, const QStringList& fields);

// The fields of a stored value, split at "|". A value with fewer fields gives fewer; surplus
// fields of a setting whose first field is a text belong to that text, so a "|" typed into
// the number box does not shift the options after it.
QStringList SettingFields(const PaneSetting& setting, const QString& text);
// A box state (0 or 1) or list index (-1 or more) read from a field; nothing when the field is
// not such a number.
std::optional<int> BoxState(const QString& field);
std::optional<int> ListIndex(const QString& field);

// The seven remembered texts, in the order of their kwsetting columns k1, k11, k12, k21, k22,
// k31, k32: the seed, the regular pane's exclusion and filter words, the batch save folder and
// exclusion words, the manual pane's exclusion and filter words.
using RememberedTexts = std::array<QString, 7>;

// The first row's texts, each without its surrounding blanks (a null column reads as empty);
// nothing when the table holds no row or cannot be read.
std::optional<RememberedTexts> ReadRememberedTexts(platform::Connection& connection);
// Stores the texts in full, as they are, into the one row of the table (made when there is
// none). Whether they were written.
bool SaveRememberedTexts(platform::Connection& connection, const RememberedTexts& texts);

}  // namespace mining_settings
