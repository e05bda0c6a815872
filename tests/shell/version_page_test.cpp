#include "shell/version_page.h"

#include <gtest/gtest.h>

#include "shell_fixture.h"

namespace {

using shell_testing::kPages;

TEST(VersionPageTest, TheVersionAndTheMarkerAreCutAsTheyStand) {
    const struct {
        const char* page;
        const char* version;
        const char* marker;
    } cases[] = {
        {"ver.htm", "4.0", ">推广链接"},
        {"ver_without_marker.htm", " 4.1 ", ""},  // blanks stay: the comparison trims them
        {"ver_not_found.htm", "", ""},
    };
    for (const auto& c : cases) {
        const VersionPage page =
            ReadVersionPage(kPages.Text(QString::fromUtf8(c.page), QStringLiteral("gb2312")));
        EXPECT_EQ(page.version, QString::fromUtf8(c.version)) << c.page;
        EXPECT_EQ(page.marker, QString::fromUtf8(c.marker)) << c.page;
    }
    EXPECT_EQ(ReadVersionPage(QString()).version, QString()) << "no page came";
}

}  // namespace
