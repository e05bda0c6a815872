#include "lookups/site_text.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using lookups::ShapeSite;
using lookups::SiteForm;

TEST(SiteTextTest, EachFormShapesTheSiteAsTheLookupsPutItIntoTheirRequests) {
    const struct {
        QString site;
        QString trimmed;
        QString lowerSite;
        QString lowerDomain;
    } cases[] = {
        {"HTTP://WWW.Example.COM/", "HTTP://WWW.Example.COM/", "www.example.com/", "example.com/"},
        {" Example.COM/path?q=1 ", "Example.COM/path?q=1", " example.com/path?q=1 ",
         " example.com/path?q=1 "},
        {"abc.WWW.Example.com", "abc.WWW.Example.com", "abc.www.example.com", "example.com"},
        {"http://a.com/?u=http://b.com", "http://a.com/?u=http://b.com", "a.com/?u=", "a.com/?u="},
        {"http://www.a.com:8080/www.b", "http://www.a.com:8080/www.b", "www.a.com:8080/www.b",
         "a.com:8080/"},
        {"例子.中国", "例子.中国", "例子.中国", "例子.中国"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShapeSite(c.site, SiteForm::AsPassed), c.site);
        EXPECT_EQ(ShapeSite(c.site, SiteForm::Trimmed), c.trimmed) << c.site.toStdString();
        EXPECT_EQ(ShapeSite(c.site, SiteForm::LowerSite), c.lowerSite) << c.site.toStdString();
        EXPECT_EQ(ShapeSite(c.site, SiteForm::LowerDomain), c.lowerDomain) << c.site.toStdString();
    }
    const QString longSite = QStringLiteral("http://") + QString(293, u'a');
    EXPECT_EQ(ShapeSite(longSite, SiteForm::LowerSite), QString(293, u'a'));
}

TEST(SiteTextTest, TrimUrlDropsBlanksTheSchemeAndOneTrailingSlash) {
    const struct {
        QString u;
        QString trimmed;
    } cases[] = {
        {"  HTTP://WWW.Example.COM/ ", "www.example.com"},
        {"Example.COM//", "Example.COM/"},  // case kept without a scheme; one "/" only
        {"http://a.com/go?to=http://b.com/", "a.com/go?to="},  // cut before a second scheme
        {"http://", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(lookups::TrimUrl(c.u), c.trimmed) << c.u.toStdString();
}

// Counts are digits, "," before groups of three, no longer than any figure: a sign, a point or
// an exponent is no count a page gives. A count of nothing is no usable count, however it is
// written: the chain asks its next source, or ends on "X".
TEST(SiteTextTest, ACountIsDigitsOtherThanZero) {
    for (const char* usable : {"12", " 12 ", "\t12\u3000", "100", "9,012", "1,234,567"}) {
        EXPECT_TRUE(lookups::IsValidCount(QString::fromUtf8(usable))) << usable;
        EXPECT_TRUE(lookups::IsCount(QString::fromUtf8(usable))) << usable;
    }
    const QString hundredDigits = QString(100, u'9');
    for (const QString& unusable : {QString(),
                                    QStringLiteral("  "),
                                    QStringLiteral("0"),
                                    QStringLiteral(" 0 "),
                                    QStringLiteral("00"),
                                    QStringLiteral("0000"),
                                    QStringLiteral("0,000"),
                                    QStringLiteral("\t0"),
                                    QStringLiteral("0\u3000"),
                                    QStringLiteral("0\u00a0"),
                                    QStringLiteral("X"),
                                    QStringLiteral("12,30"),
                                    QStringLiteral("12,34"),
                                    QStringLiteral("1,2,3"),
                                    QStringLiteral(",123"),
                                    QStringLiteral("约12"),
                                    QStringLiteral("12个"),
                                    QStringLiteral("-5"),
                                    QStringLiteral("+7"),
                                    QStringLiteral("0.0"),
                                    QStringLiteral("1.5"),
                                    QStringLiteral("1e309"),
                                    QStringLiteral("1e"),
                                    QStringLiteral("+"),
                                    hundredDigits})
        EXPECT_FALSE(lookups::IsValidCount(unusable)) << unusable.toStdString();
    // "0" is a count all the same: a PageRank of 0 is one.
    EXPECT_TRUE(lookups::IsCount(QStringLiteral(" 0 ")));
    for (const QString& text : {QStringLiteral("-1"), QStringLiteral("1e3"), hundredDigits})
        EXPECT_FALSE(lookups::IsCount(text)) << text.toStdString();
}

TEST(SiteTextTest, ANumberHasOptionalGroupsOfThreeAPointAndAnExponent) {
    for (const char* number : {"1.", "-.5", "+1,234.", "1,234,567.89e-3", "\t 12e+5 \r\n", "0"})
        EXPECT_TRUE(lookups::ReadsAsNumber(QString::fromUtf8(number))) << number;
    for (const char* text : {".", "1,2345", "1234,567", "1,234,", "1e", "1e+", "- 1", "1 2",
                             "1.2.3", "１２", "1\u00a0"})
        EXPECT_FALSE(lookups::ReadsAsNumber(QString::fromUtf8(text))) << text;
    // A hostile page's endless run is judged in one pass, whatever its length.
    EXPECT_FALSE(lookups::ReadsAsNumber(QStringLiteral("1") +
                                        QStringLiteral(",234").repeated(250'000) + u'x'));
    EXPECT_TRUE(lookups::ReadsAsNumber(QString(1'000'000, u'9')));
    EXPECT_FALSE(lookups::ReadsAsNumber(QString(4'000'000, u'9') + u'x'));
}

TEST(SiteTextTest, QueryValuesAreEncodedInTheRequestsCharset) {
    const QString site = QStringLiteral("例子.com/a b&c=d");
    EXPECT_EQ(lookups::EncodeForCharset(site, QStringLiteral("gb2312")),
              QStringLiteral("%C0%FD%D7%D3.com/a%20b%26c%3Dd"));
    EXPECT_EQ(lookups::EncodeForCharset(site, QStringLiteral("utf-8")),
              QStringLiteral("%E4%BE%8B%E5%AD%90.com/a%20b%26c%3Dd"));
}

}  // namespace
