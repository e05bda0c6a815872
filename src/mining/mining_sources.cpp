#include "mining/mining_sources.h"

#include "shared/text_helpers.h"
#include "shared/web_addresses.h"

namespace mining {
namespace {

std::array<MiningSource, kSourceCount> MakeSources() {
    const QString gbk = QStringLiteral("gb2312");
    const QString utf8 = QStringLiteral("utf-8");
    return {{
        {.number = 1,
         .name = QStringLiteral("SrcBaiduSearch"),
         .endpoint = WebAddress::kBaiduSearch,
         .pathBefore = QStringLiteral("/s?wd="),
         .form = KeywordForm::Gbk,
         .charset = gbk,
         .baiduResultsPage = true,
         .separators = {QStringLiteral("class=\"f14\"><a"), QStringLiteral("class=f14><a")},
         .firstPiece = 1,
         .lastPiece = 10,
         .cut = ItemCut::BetweenAngleBrackets},
        {.number = 2,
         .name = QStringLiteral("SrcBaiduSuggest"),
         .endpoint = WebAddress::kBaiduSuggest,
         .pathBefore = QStringLiteral("/su?wd="),
         .pathAfter = QStringLiteral("&p=3"),
         .form = KeywordForm::HelperPage,
         .charset = gbk,
         .skippedSeeds = {QStringLiteral("seo"), QStringLiteral("sem")},
         .blockStart = QStringLiteral("[\""),
         .blockEnd = QStringLiteral("\"]"),
         .separators = {QStringLiteral("\",\"")}},
        {.number = 3,
         .name = QStringLiteral("SrcBaiduSuggest2"),
         .endpoint = WebAddress::kBaiduSuggest2,
         .pathBefore = QStringLiteral("/su?wd="),
         .form = KeywordForm::HelperPage,
         .charset = gbk,
         .blockStart = QStringLiteral("['"),
         .blockEnd = QStringLiteral("']"),
         .separators = {QStringLiteral("','")}},
        {.number = 4,
         .name = QStringLiteral("SrcYoudaoSearch"),
         .endpoint = WebAddress::kYoudaoSearch,
         .pathBefore = QStringLiteral("/search?q="),
         .form = KeywordForm::Utf8,
         .charset = utf8,
         .blockStart = QStringLiteral("相关搜索：</th>"),
         .blockEnd = QStringLiteral("</tbody>"),
         .separators = {QStringLiteral("<a href='")},
         .firstPiece = 1,
         .cut = ItemCut::BetweenAngleBrackets},
        {.number = 5,
         .name = QStringLiteral("SrcSogouSearch"),
         .endpoint = WebAddress::kSogouSearch,
         .pathBefore = QStringLiteral("/web?query="),
         .form = KeywordForm::Gbk,
         .charset = gbk,
         .blockStart = QStringLiteral("</div><!--hint:"),
         .blockEnd = QStringLiteral("#*#-->"),
         .separators = {QStringLiteral("#*#")}},
        {.number = 6,
         .name = QStringLiteral("SrcGoogleSearch"),
         .endpoint = WebAddress::kGoogleHk,
         .pathBefore = QStringLiteral("/search?hl=zh-CN&source=hp&q="),
         .form = KeywordForm::Utf8,
         .charset = utf8,
         .blockStart = QStringLiteral("</em>的相关搜索"),
         .blockEnd = QStringLiteral("></div></div>"),
         .separators = {QStringLiteral("<p><a")},
         .firstPiece = 1,
         .cut = ItemCut::BetweenAngleBrackets},
        {.number = 7,
         .name = QStringLiteral("SrcAlibabaSearch"),
         .endpoint = WebAddress::kAlibabaOfferSearch,
         .pathBefore = QStringLiteral("/selloffer/k-"),
         .pathAfter = QStringLiteral("_n-y.html"),
         .form = KeywordForm::Gbk,
         .charset = gbk,
         .blockStart = QStringLiteral("<span>相关搜索</span>"),
         .blockEnd = QStringLiteral("SearchListPage"),
         .separators = {QStringLiteral("<li><a")},
         .firstPiece = 1,
         .cut = ItemCut::BetweenAngleBrackets},
        {.number = 8,
         .name = QStringLiteral("SrcAlibabaSuggest"),
         .endpoint = WebAddress::kAlibabaSuggest,
         .pathBefore = QStringLiteral("/bin/suggest?type=saleoffer&q="),
         .form = KeywordForm::Gbk,
         .charset = gbk,
         .blockStart = QStringLiteral("result:["),
         .blockEnd = QStringLiteral("]]}"),
         .separators = {QStringLiteral("[")},
         .firstPiece = 1,
         .cut = ItemCut::BetweenApostrophes,
         .removedCharacters = QStringLiteral("_?%")},
    }};
}

QString Block(const MiningSource& source, const QString& page) {
    if (!source.baiduResultsPage) return GetMemo(page, source.blockStart, source.blockEnd);
    QString whole = page.toLower();
    whole.remove(QStringLiteral(" nowrap"));
    return whole;
}

QStringList Pieces(const MiningSource& source, const QString& block) {
    if (block.isEmpty()) return {};
    QStringList pieces;
    for (const QString& separator : source.separators) {
        pieces = block.split(separator);
        if (pieces.size() > 1) break;
    }
    return pieces;
}

QString CutItem(const MiningSource& source, const QString& piece) {
    QString item;
    switch (source.cut) {
        case ItemCut::WholePiece:
            item = piece;
            break;
        case ItemCut::BetweenAngleBrackets:
            item = GetMemo(piece, QStringLiteral(">"), QStringLiteral("<"));
            break;
        case ItemCut::BetweenApostrophes:
            item = GetMemo(piece, QStringLiteral("'"), QStringLiteral("'"));
            break;
    }
    for (const QChar removed : source.removedCharacters) item.remove(removed);
    return item;
}

}  // namespace

const std::array<MiningSource, kSourceCount>& MiningSources() {
    static const std::array<MiningSource, kSourceCount> sources = MakeSources();
    return sources;
}

QString SourceAddress(const MiningSource& source, const QString& keyword) {
    return source.endpoint + source.pathBefore + keyword + source.pathAfter;
}

QStringList SourceItems(const MiningSource& source, const QString& page) {
    const QStringList pieces = Pieces(source, Block(source, page));
    const qsizetype last = source.lastPiece < 0
                               ? pieces.size() - 1
                               : std::min<qsizetype>(source.lastPiece, pieces.size() - 1);
    QStringList items;
    for (qsizetype i = source.firstPiece; i <= last; ++i) items << CutItem(source, pieces[i]);
    return items;
}

}  // namespace mining
