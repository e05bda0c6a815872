#include "research_tools/index_detail_page.h"

#include <QStringList>

#include "metrics/number_text.h"
#include "research_tools/page_text.h"
#include "shared/text_helpers.h"

namespace research {
namespace {

// A width as a whole number, halves to the even neighbour.
std::optional<qint32> Width(const std::optional<QString>& text) {
    return text ? metrics::ReadWhole32(*text) : std::nullopt;
}

}  // namespace

QString AudienceHeading(Audience audience) {
    switch (audience) {
        case Audience::Age:
            return QStringLiteral("<h3>年龄分布");
        case Audience::Occupation:
            return QStringLiteral("<h3>职业分布");
        case Audience::Education:
            return QStringLiteral("<h3>学历分布");
    }
    return QString();
}

std::vector<AudienceRow> ParseAudience(const QString& wordPage, Audience audience,
                                       qint32 monthVolume) {
    const std::optional<QString> section =
        FindBetween(wordPage, AudienceHeading(audience), QStringLiteral("</table>"));
    if (!section) return {};

    double total = 0;
    const QStringList widths = section->split(QStringLiteral("width"));
    for (qsizetype i = 1; i < widths.size(); ++i)
        total +=
            Width(FindBetween(widths[i], QStringLiteral(":"), QStringLiteral("%"))).value_or(0);

    std::vector<AudienceRow> rows;
    const QStringList groups = section->split(QStringLiteral("td class=\"tdkey\""));
    for (qsizetype j = 1; j < groups.size(); ++j) {
        AudienceRow row{GetMemo(groups[j], QStringLiteral(">"), QStringLiteral("<")), {}, {}};
        const std::optional<qint32> width =
            Width(FindBetween(groups[j], QStringLiteral("width:"), QStringLiteral("%")));
        // With no total there is nothing to take a share of: the labels stand alone.
        if (total != 0 && width) {
            row.volume = metrics::WholeText(double(monthVolume) * *width / total);
            row.share = metrics::WholeText(*width * 100.0 / total) + u'%';
        } else if (total != 0) {
            row.volume = row.share = QStringLiteral("-");
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace research
