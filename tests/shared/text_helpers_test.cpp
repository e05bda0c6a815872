#include "shared/text_helpers.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

struct MemoCase {
    const char* name;
    QString page;
    QString first;
    QString end;
    QString expected;
};

void PrintTo(const MemoCase& c, std::ostream* out) {
    *out << c.name;
}

class GetMemoTest : public testing::TestWithParam<MemoCase> {};

TEST_P(GetMemoTest, CutsTheTextBetweenTheFirstStartMarkerAndTheNextEndMarker) {
    const MemoCase& c = GetParam();
    EXPECT_EQ(GetMemo(c.page, c.first, c.end), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetMemoTest,
    testing::Values(
        MemoCase{"BaiduCount", QStringLiteral("百度为您找到相关网页约1,230篇，用时0.1秒"),
                 QStringLiteral("找到相关网页"), QStringLiteral("篇"), QStringLiteral("约1,230")},
        MemoCase{"FirstStartMarkerOnly", QStringLiteral("<b>one</b><b>two</b>"),
                 QStringLiteral("<b>"), QStringLiteral("</b>"), QStringLiteral("one")},
        MemoCase{"EndMarkerSearchedAfterTheStartMarker", QStringLiteral("abc"),
                 QStringLiteral("ab"), QStringLiteral("bc"), QString()},
        MemoCase{"EndMarkerOnlyBeforeTheStartMarker", QStringLiteral("]x[y"), QStringLiteral("["),
                 QStringLiteral("]"), QString()},
        MemoCase{"MissingEndAfterFirstStartIgnoresLaterPairs", QStringLiteral("[a [b]"),
                 QStringLiteral("[a"), QStringLiteral("}"), QString()},
        MemoCase{"EndMarkerDirectlyAfterStart", QStringLiteral("x[]y"), QStringLiteral("["),
                 QStringLiteral("]"), QString()},
        MemoCase{"EmptyStartMarkerTakesTheTextBeforeTheEnd", QStringLiteral("gb2312>rest"),
                 QString(), QStringLiteral(">"), QStringLiteral("gb2312")},
        MemoCase{"EmptyEndMarkerGivesNothing", QStringLiteral("charset=utf-8"),
                 QStringLiteral("charset="), QString(), QString()},
        MemoCase{"NullPage", QString(), QStringLiteral("a"), QStringLiteral("b"), QString()},
        MemoCase{"CaseSensitive", QStringLiteral("Abc"), QStringLiteral("a"), QStringLiteral("c"),
                 QString()},
        MemoCase{"MissingStartMarker", QStringLiteral("abc"), QStringLiteral("x"),
                 QStringLiteral("c"), QString()}),
    [](const testing::TestParamInfo<MemoCase>& info) { return info.param.name; });

TEST(TextHelpersTest, CheckNullIsTrueForBlanksOnly) {
    EXPECT_TRUE(CheckNull(QString()));
    EXPECT_TRUE(CheckNull(QStringLiteral("   ")));
    EXPECT_FALSE(CheckNull(QStringLiteral("a")));
    EXPECT_FALSE(CheckNull(QStringLiteral("\t")));  // only blanks are trimmed
    EXPECT_EQ(TrimBlanks(QStringLiteral("  优 化 ")), QStringLiteral("优 化"));
}

TEST(TextHelpersTest, GetSqlStrTurnsEveryApostropheIntoADoubleQuote) {
    EXPECT_EQ(GetSqlStr(QStringLiteral("it's 'ok'")), QStringLiteral("it\"s \"ok\""));
    EXPECT_EQ(GetSqlStr(QString()), QString());
}

struct ClearCase {
    const char* name;
    QString html;
    QString expected;
};

void PrintTo(const ClearCase& c, std::ostream* out) {
    *out << c.name;
}

class ClearHtmlTest : public testing::TestWithParam<ClearCase> {};

TEST_P(ClearHtmlTest, RemovesTheMarkupAndKeepsTheText) {
    QString content = GetParam().html;
    EXPECT_EQ(ClearHtml(content), GetParam().expected);
    EXPECT_EQ(content, GetParam().expected);  // written back into the caller's text
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClearHtmlTest,
    testing::Values(
        ClearCase{"ParagraphAndSpace", QStringLiteral("<P class=x>seo&nbsp;优化</p><br/>"),
                  QStringLiteral("seo优化")},
        ClearCase{"XmlTagGoesDeclarationStays",
                  QStringLiteral("<?xml version=\"1.0\"?><xml id=1>a</xml><\\xml>"),
                  QStringLiteral("<?xml version=\"1.0\"?>a</xml>")},
        ClearCase{"NamespacedTagAndScriptPrefix",
                  QStringLiteral("<o:p>x</o:p><A HREF=\"javascript:go()\" onclick=1>y</A>"),
                  QStringLiteral("xy")},
        ClearCase{"TagsMatchByTheBeginningOfTheirName",
                  QStringLiteral("<body><input value=1><h1>t</h1><style>s</style></body>"),
                  QStringLiteral("<h1>t</h1><style>s</style>")},
        ClearCase{"GreedyCharacterReference", QStringLiteral("&#20320; and &#22909;!"),
                  QStringLiteral("!")},
        ClearCase{"ScriptCodeStays", QStringLiteral("<script type=x>var a;</script>"),
                  QStringLiteral("var a;")}),
    [](const testing::TestParamInfo<ClearCase>& info) { return info.param.name; });

}  // namespace
