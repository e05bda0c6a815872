#include "lookups/site_match.h"

#include <gtest/gtest.h>

#include "support/qt_printers.h"

namespace {

using namespace lookups;

TEST(SiteMatchTest, LinksLoseEveryHttpAndOneTrailingSlashAndKeepTheirCaseOtherwise) {
    const struct {
        const char* link;
        LinkSteps steps;
        const char* tidied;
    } cases[] = {
        {"http://www.Site.com/", LinkSteps::SchemeAndSlash, "www.site.com"},
        {"HTTP://www.site.com/a/", LinkSteps::SchemeAndSlash, "www.site.com/a"},
        {"http://r.cn/?to=http://www.site.com", LinkSteps::SchemeAndSlash, "r.cn/?to=www.site.com"},
        {"www.site.com//", LinkSteps::SchemeAndSlash, "www.site.com/"},
        {"WWW.Site.com/Page.html", LinkSteps::SchemeAndSlash, "WWW.Site.com/Page.html"},
        {"WWW.Site.com/Dir/", LinkSteps::SlashOnly, "www.site.com/dir"},
        {"http://WWW.Site.com", LinkSteps::SlashOnly, "http://WWW.Site.com"},
        {"https://www.site.com/", LinkSteps::SchemeAndSlash, "https://www.site.com"},
        {"", LinkSteps::SchemeAndSlash, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseLink(QString::fromUtf8(c.link), c.steps), QString::fromUtf8(c.tidied))
            << c.link;
}

TEST(SiteMatchTest, ASiteTypedWithSchemeSlashOrCapitalsIsTheSameSite) {
    for (const char* typed :
         {"www.site.com", "HTTP://WWW.Site.com/", "http://www.site.com", "www.site.com/"})
        EXPECT_EQ(NormaliseSite(QString::fromUtf8(typed)), QStringLiteral("www.site.com")) << typed;
    EXPECT_EQ(NormaliseSite(QStringLiteral("http://")), QString());
    EXPECT_EQ(NormaliseSite(QStringLiteral("站点.中国/")), QStringLiteral("站点.中国"));
}

TEST(SiteMatchTest, ExactMatchWantsTheWholeLinkContainingMatchAnyPartInAnyCase) {
    const QString site = NormaliseSite(QStringLiteral("www.site.com"));
    EXPECT_TRUE(LinkMatchesSite(QStringLiteral("WWW.Site.com"), site, true));
    EXPECT_FALSE(LinkMatchesSite(QStringLiteral("www.site.com/page.html"), site, true));
    EXPECT_TRUE(LinkMatchesSite(QStringLiteral("WWW.Site.com/Page.html"), site, false));
    EXPECT_FALSE(LinkMatchesSite(QStringLiteral("www.site.cn"), site, false));
    EXPECT_TRUE(HoldsSite(QStringLiteral("<a href=\"http://WWW.SITE.COM/\">"), site));
}

}  // namespace
