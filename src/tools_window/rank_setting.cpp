#include "tools_window/rank_setting.h"

#include "tools_window/rank_engines.h"

namespace {

std::optional<int> WholeNumber(const QStringList& fields, int index) {
    bool ok = false;
    const int value = fields.value(index).toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// A box takes only the values a box has.
std::optional<int> BoxValue(const QStringList& fields, int index) {
    const std::optional<int> value = WholeNumber(fields, index);
    return value == 0 || value == 1 ? value : std::nullopt;
}

}  // namespace

QString DefaultRankSetting() {
    return RankEngines()[0].tag + u'$' + RankEngines()[1].tag + QStringLiteral("|0|1|0|0");
}

RankSetting ParseRankSetting(const QString& text) {
    const QStringList fields = text.split(u'|');
    RankSetting setting;
    if (!fields.value(0).isEmpty()) setting.engineTags = fields.value(0).split(u'$');
    setting.mode = fields.value(1) == u"0" ? 0 : 1;
    setting.depthIndex = WholeNumber(fields, 2);
    setting.exactMatch = BoxValue(fields, 3);
    setting.countPaid = BoxValue(fields, 4);
    return setting;
}

QString FormatRankSetting(const RankSetting& setting) {
    return QStringList{setting.engineTags.join(u'$'), QString::number(setting.mode),
                       QString::number(setting.depthIndex.value_or(-1)),
                       QString::number(setting.exactMatch.value_or(0)),
                       QString::number(setting.countPaid.value_or(0))}
        .join(u'|');
}
