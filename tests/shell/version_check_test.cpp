#include "shell/version_check.h"

#include <QFile>
#include <vector>

#include "platform/charset.h"
#include "shared/registry_store.h"
#include "shell_fixture.h"

namespace {

using platform::ShowStyle;
using shell_testing::ShellTest;

class VersionCheck : public ShellTest {
  protected:
    VersionCheckOutcome Check() {
        return CheckVersionAtStartup([this](ShowStyle style) {
            updaterStyles.push_back(style);
            return updaterStarts;
        });
    }

    QString Config(const QString& name) {
        return mReg::GetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name);
    }
    void SetConfig(const QString& name, const QString& value) {
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name, value);
    }
    QByteArray FileBytes(const QString& name) {
        QFile file(folder.FilePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    void WriteBaiduTag(const QByteArray& bytes) {
        QFile file(folder.FilePath(QStringLiteral("baidutag.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    bool updaterStarts = true;
    // Vectors, not QLists: Qt compares two empty lists of an enum by handing memcmp null
    // pointers, which is undefined.
    std::vector<ShowStyle> updaterStyles;
};

TEST_F(VersionCheck, DecidesByTheStoredDateAndThePageVersion) {
    const struct {
        const char* name;
        const char* stored;  // updatedt before the start; nullptr: never checked
        const char* pageVersion;
        int requests;
        std::vector<ShowStyle> updater;
    } cases[] = {
        {"first start, same version", nullptr, "4.0", 1, {}},
        {"first start, newer version", nullptr, "4.1", 1, {ShowStyle::Normal}},
        {"later day, same version with blanks", "2026-12-09", "  4.0 ", 1, {}},
        {"later day, older version", "2026-12-01", "3.9", 1, {ShowStyle::Minimized}},
        {"date in the future", "2027-01-01", "4.0", 1, {}},
        {"stored date unreadable", "gestern", "4.0", 1, {}},
        {"same day", "2026-12-10", "4.1", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        SetConfig(QStringLiteral("updatedt"), c.stored ? QString::fromLatin1(c.stored) : QString());
        WriteBaiduTag("tag\r\n");
        ServeVersionPage(QString::fromLatin1(c.pageVersion), QStringLiteral("m"));
        web.ClearRequests();
        updaterStyles.clear();

        const VersionCheckOutcome outcome = Check();

        EXPECT_EQ(VersionRequests(), c.requests);
        EXPECT_EQ(updaterStyles, c.updater);
        EXPECT_EQ(outcome, c.updater.empty() ? VersionCheckOutcome::GoOn
                                             : VersionCheckOutcome::UpdaterStarted);
        if (c.requests) {
            EXPECT_EQ(Config(QStringLiteral("updatedt")), QStringLiteral("2026-12-10"));
            EXPECT_EQ(Config(QStringLiteral("ver")), QString::fromLatin1(c.pageVersion));
        }
    }
}

// An error answer is no page, even one that holds a version and a marker.
TEST_F(VersionCheck, AnUnreachablePageCountsAsTheSameVersionAndTheDayAsChecked) {
    for (const QString& version : {QString(), QStringLiteral("4.1")}) {
        SCOPED_TRACE(version.toStdString());
        SetConfig(QStringLiteral("updatedt"), QString());
        ServeVersionPage(version, QStringLiteral("new"), 500);
        WriteBaiduTag("old\r\n");

        EXPECT_EQ(Check(), VersionCheckOutcome::GoOn);

        EXPECT_TRUE(updaterStyles.empty());
        EXPECT_EQ(Config(QStringLiteral("updatedt")), QStringLiteral("2026-12-10"));
        EXPECT_EQ(Config(QStringLiteral("ver")), QStringLiteral("4.0"));
        EXPECT_EQ(FileBytes(QStringLiteral("baidutag.txt")), QByteArray("old\r\n"));
    }
}

TEST_F(VersionCheck, AnUpdaterThatDoesNotStartLetsTheProgramGoOn) {
    ServeVersionPage(QStringLiteral("4.1"), QStringLiteral("m"));
    updaterStarts = false;

    EXPECT_EQ(Check(), VersionCheckOutcome::GoOn);

    EXPECT_EQ(updaterStyles, std::vector<ShowStyle>{ShowStyle::Normal});
    EXPECT_EQ(VersionRequests(), 1) << "no second check on the day of the first";
    // The next start of the same day does not try again.
    web.ClearRequests();
    updaterStyles.clear();
    EXPECT_EQ(Check(), VersionCheckOutcome::GoOn);
    EXPECT_TRUE(updaterStyles.empty());
    EXPECT_EQ(VersionRequests(), 0);
}

TEST_F(VersionCheck, KeepsTheMarkerFileUpToDate) {
    const QByteArray tag = platform::ToAnsi(QStringLiteral(">推广链接\r\n"));
    const struct {
        const char* name;
        const char* stored;      // updatedt; "2026-12-10" means no check today
        const char* fileBefore;  // nullptr: no file
        bool pageHasMarker;
        int requests;
        QByteArray fileAfter;
    } cases[] = {
        {"check with marker replaces the file", "2026-12-01", "old\r\n", true, 1, tag},
        {"check without marker keeps the file", "2026-12-01", "old\r\n", false, 1, "old\r\n"},
        {"same day keeps the file", "2026-12-10", "old\r\n", true, 0, "old\r\n"},
        {"same day, no file: one request for the marker", "2026-12-10", nullptr, true, 1, tag},
        {"no marker anywhere: the default", nullptr, nullptr, false, 2,
         platform::ToAnsi(QStringLiteral(">来百度推广\r\n"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        SetConfig(QStringLiteral("updatedt"), c.stored ? QString::fromLatin1(c.stored) : QString());
        QFile::remove(folder.FilePath(QStringLiteral("baidutag.txt")));
        if (c.fileBefore) WriteBaiduTag(c.fileBefore);
        ServeVersionPage(QStringLiteral("4.0"),
                         c.pageHasMarker ? QStringLiteral(">推广链接") : QString());
        web.ClearRequests();

        Check();

        EXPECT_EQ(VersionRequests(), c.requests);
        EXPECT_EQ(FileBytes(QStringLiteral("baidutag.txt")), c.fileAfter);
    }
}

TEST_F(VersionCheck, VersionFileHoldsTheVersionAlone) {
    QFile old(folder.FilePath(QStringLiteral("ver.txt")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("3.0 and more text\r\nsecond line\r\n");
    old.close();

    WriteVersionFile();

    EXPECT_EQ(FileBytes(QStringLiteral("ver.txt")), QByteArray("4.0\r\n"));
}

}  // namespace
