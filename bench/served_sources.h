#pragma once

#include <QHash>
#include <QStringList>
#include <QUrl>

#include "fakeweb/fake_web.h"
#include "mining/mining_sources.h"
#include "realistic_pages.h"
#include "shared/url_encoding.h"

// The eight mining sources served on the loopback web for one seed, each page carrying its
// markers around keywords of its own; Baidu's is a results page of a realistic size.
namespace served_sources {

// `count` distinct keywords of source `number`.
inline QStringList Keywords(int number, int count) {
    QStringList keywords;
    for (int i = 0; i < count; ++i) keywords << QStringLiteral("减肥%1号词%2").arg(number).arg(i);
    return keywords;
}

// A page of source `number` carrying its markers around `keywords`.
inline QString SourcePage(int number, const QStringList& keywords) {
    const auto links = [&keywords](const QString& before, const QString& after) {
        QString text;
        for (const QString& keyword : keywords) text += before + keyword + after;
        return text;
    };
    switch (number) {
        case 1:
            return RealisticResultsPage(
                QStringLiteral("<table>") +
                links(QStringLiteral("<th class=\"f14\"><a href=\"s?wd=x\">"),
                      QStringLiteral("</a></th>")) +
                QStringLiteral("</table>"));
        case 2:
            return QStringLiteral("window.baidu.sug({q:\"减肥\",p:false,s:[\"") +
                   keywords.join(QStringLiteral("\",\"")) + QStringLiteral("\"]});");
        case 3:
            return QStringLiteral("window.bdsug.sug({'s':['") +
                   keywords.join(QStringLiteral("','")) + QStringLiteral("']});");
        case 4:
            return QStringLiteral("<table><tbody><tr><th>相关搜索：</th>") +
                   links(QStringLiteral("<td><a href='/search?q=x'>"),
                         QStringLiteral("</a></td>")) +
                   QStringLiteral("</tr></tbody></table>");
        case 5:
            return QStringLiteral("<div></div><!--hint:") + keywords.join(QStringLiteral("#*#")) +
                   QStringLiteral("#*#-->");
        case 6:
            return QStringLiteral("<div><em>减肥</em>的相关搜索</div><table><tr>") +
                   links(QStringLiteral("<td><p><a href=\"/search?q=x\">"),
                         QStringLiteral("</a></p></td>")) +
                   QStringLiteral("</tr></table></div></div>");
        case 7:
            return QStringLiteral("<span>相关搜索</span><ul>") +
                   links(QStringLiteral("<li><a href=\"x\">"), QStringLiteral("</a></li>")) +
                   QStringLiteral("</ul><script>var SearchListPage={};</script>");
        default:
            return QStringLiteral("{result:[") +
                   links(QStringLiteral("['"), QStringLiteral("','12'],")) + QStringLiteral("]]}");
    }
}

// What the sources were served with.
struct Served {
    QStringList addresses;  // each source's address for the seed, as the program asks
    QStringList keywords;   // every candidate, in the order of the sources
    // Each source's charset ("gbk" or "utf-8") by its host and path.
    QHash<QString, QString> charsets;
};

// Serves the sources for `seed` with `candidates` keywords in all: Baidu's results page offers
// ten, the seven others share the rest. As plain bytes: the loopback server would otherwise
// compress every answer, which costs it more than the whole fetch.
inline Served Serve(fakeweb::FakeWeb& web, const QString& seed, int candidates) {
    Served served;
    const int share = (candidates - 10) / 7;
    for (const mining::MiningSource& source : mining::MiningSources()) {
        const int count = source.number == 1   ? 10
                          : source.number == 8 ? candidates - 10 - 6 * share
                                               : share;
        const QStringList keywords = Keywords(source.number, count);
        const QUrl address(mining::SourceAddress(source, UrlEncodeGbk(seed)));
        const QString charset =
            source.charset == QStringLiteral("utf-8") ? source.charset : QStringLiteral("gbk");
        served.charsets[address.host() + address.path()] = charset;
        web.Serve(address.host(), address.path(QUrl::FullyEncoded),
                  fakeweb::Page::Text(SourcePage(source.number, keywords), charset)
                      .ContentType("application/octet-stream"));
        served.addresses << mining::SourceAddress(source, source.charset == QStringLiteral("utf-8")
                                                              ? UrlEncodeUtf8(seed)
                                                              : UrlEncodeGbk(seed));
        served.keywords << keywords;
    }
    return served;
}

}  // namespace served_sources
