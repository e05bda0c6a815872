#include "platform/settings_hive.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/program_folder_fixture.h"
#include "support/qt_printers.h"

namespace {

using platform::Hive;

const QString kKey = QStringLiteral("Software\\Tarnwick\\Config");

// A value reads back exactly as it was last written, an empty text included: an empty value is
// a value, not a missing one, whether the setting existed before or not.
TEST(SettingsHiveTest, AValueReadsBackAsLastWrittenAnEmptyTextIncluded) {
    const struct {
        const char* what;
        std::optional<QString> before;  // the setting as it stands before the write
        QString written;
    } cases[] = {
        {"an empty text to a new setting", std::nullopt, QString()},
        {"a text to a new setting", std::nullopt, QStringLiteral("5")},
        {"an empty text over a text", QStringLiteral("5"), QString()},
        {"a text over an empty text", QString(), QStringLiteral("5")},
        {"the same text again", QStringLiteral("5"), QStringLiteral("5")},
        {"an empty text again", QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const testing_support::TemporaryProgramFolder folder;
        ASSERT_TRUE(platform::CreateKey(Hive::CurrentUser, kKey));
        const QString name = QStringLiteral("setting");
        if (c.before) {
            ASSERT_TRUE(platform::WriteValue(Hive::CurrentUser, kKey, name, *c.before));
        }
        ASSERT_EQ(platform::ReadValue(Hive::CurrentUser, kKey, name), c.before);

        EXPECT_TRUE(platform::WriteValue(Hive::CurrentUser, kKey, name, c.written));
        EXPECT_EQ(platform::ReadValue(Hive::CurrentUser, kKey, name),
                  std::optional<QString>(c.written));
        EXPECT_EQ(platform::ReadValue(Hive::CurrentUser, kKey, QStringLiteral("other")),
                  std::nullopt)
            << "a setting never written stays missing";
    }
}

}  // namespace
