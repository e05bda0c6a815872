#include "lookups/whois.h"

#include <QStringList>
#include <array>

#include "lookups/site_dates.h"
#include "shared/text_helpers.h"

namespace lookups {
namespace {

const QString kNoAge = QStringLiteral("X");

// The host's last label decides the registry: "example.com.cn/path" is under ".cn".
bool IsUnderCn(const QString& domain) {
    QString host = domain.section(u'/', 0, 0).section(u':', 0, 0);
    if (host.endsWith(u'.')) host.chop(1);
    return host.section(u'.', -1) == u"cn";
}

// "2003-03-17 12:20:05" as the date text "2003-03-17".
QString RegistrationDateText(const QString& whoisText) {
    const QString line = GetMemo(whoisText, QStringLiteral("Registration Date: "),
                                 QStringLiteral("Expiration Date:"));
    return line.section(u' ', 0, 0);
}

// "17-mar-2003" as the date text "2003-3-17"; a month that is no English abbreviation stays as
// it was written.
QString CreationDateText(const QString& whoisText) {
    static const std::array<const char*, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    const QStringList parts =
        GetMemo(whoisText, QStringLiteral("Creation Date: "), QStringLiteral("Expiration Date:"))
            .split(u'-');
    if (parts.size() < 3) return {};
    QString month = parts[1].toLower();
    for (size_t i = 0; i < kMonths.size(); ++i)
        if (month == QLatin1String(kMonths[i])) month = QString::number(i + 1);
    return parts[2].left(4) + u'-' + month + u'-' + parts[0];
}

}  // namespace

Reading ReadWhoisText(const QString& page, const QString& start, const QString& end) {
    if (page.contains(QStringLiteral("No match for"))) return Reading::EndWith(QString());
    const QString text = GetMemo(page, start, end);
    return text.isEmpty() ? Reading::None() : Reading::Of(text);
}

QString DomainAge(const QString& whoisText, const QString& domain, const QDate& today) {
    const std::optional<QDate> registered =
        ReadDate(IsUnderCn(domain) ? RegistrationDateText(whoisText) : CreationDateText(whoisText));
    if (!registered || *registered > today) return kNoAge;
    const int months =
        12 * (today.year() - registered->year()) + (today.month() - registered->month());
    return QString::number(months / 12) + QStringLiteral("年") + QString::number(months % 12) +
           QStringLiteral("个月");
}

}  // namespace lookups
