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

TEST(SiteTextTest, ACountIsANumberOtherThanZero) {
    for (const char* usable :
         {"12", " 12 ", "00", "0.0", "-3", "1.5e3", ".5", "9,012", "1,234,567.5"})
        EXPECT_TRUE(lookups::IsValidCount(QString::fromUtf8(usable))) << usable;
    for (const char* unusable :
         {"", "  ", "0", " 0 ", "X", "12,30", ",123", "约12", "12个", "1e", "+"})
        EXPECT_FALSE(lookups::IsValidCount(QString::fromUtf8(unusable))) << unusable;
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
