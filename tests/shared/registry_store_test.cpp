#include "shared/registry_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/settings_hive.h"
#include "support/database_files.h"
#include "support/test_environment.h"

namespace {

using platform::Hive;

using RegistryStoreTest = testing_support::TestEnvironment;

TEST_F(RegistryStoreTest, ValuesReadBackExactlyAsWritten) {
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);
    const QString values[] = {
        QStringLiteral("0|0|0|0|0"),
        QStringLiteral(" "),
        QStringLiteral("张三"),
        QStringLiteral("/home/用户/程序/autorun.exe"),
        QStringLiteral("a,b; c"),
        QStringLiteral("@Variant(x)"),
        QStringLiteral("\"quoted\" \\ back"),
        QStringLiteral("baidu$google|0|1|0|0"),
        QStringLiteral("line\r\nbreak"),
        QStringLiteral("true"),
        QStringLiteral("12"),
    };
    for (const QString& value : values) {
        mReg::SetConfigValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("setting_user"),
                             value);
        EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey,
                                       QStringLiteral("setting_user")),
                  value);
    }
}

TEST_F(RegistryStoreTest, MissingKeyOrValueReadsEmptyAndWritesUnderAMissingKeyAreDropped) {
    const QString name = QStringLiteral("setting1");
    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name), QString());

    mReg::SetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name, QStringLiteral("1|1|1|1|1"));
    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name), QString());

    // The owners' pattern: read, and on an empty result create the key and write the default.
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);
    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name), QString());
    mReg::SetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name, QStringLiteral("0|0|0|0|0"));
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);  // leaves the key as it is
    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, name),
              QStringLiteral("0|0|0|0|0"));
}

TEST_F(RegistryStoreTest, KeysAndRootsAreSeparate) {
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::LegacyConfigKey);
    mReg::CreateConfigKey(Hive::LocalMachine, mReg::RunKey);
    mReg::SetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, QStringLiteral("baiduse"),
                         QStringLiteral("5"));
    mReg::SetConfigValue(Hive::LocalMachine, mReg::RunKey, mReg::AutorunValueName,
                         QStringLiteral(" "));

    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("baiduse")),
              QString());
    EXPECT_EQ(
        mReg::GetConfigValue(Hive::CurrentUser, mReg::LegacyConfigKey, QStringLiteral("baiduse")),
        QStringLiteral("5"));
    EXPECT_EQ(mReg::GetConfigValue(Hive::CurrentUser, mReg::RunKey, mReg::AutorunValueName),
              QString());
    EXPECT_EQ(mReg::GetConfigValue(Hive::LocalMachine, mReg::RunKey, mReg::AutorunValueName),
              QStringLiteral(" "));
}

TEST_F(RegistryStoreTest, HivesLiveInTheFolderTheEnvironmentNames) {
    const QString hives = folder.FilePath(QStringLiteral("settings"));
    EXPECT_EQ(qEnvironmentVariable(platform::kSettingsFolderVariable), hives);
    mReg::CreateConfigKey(Hive::CurrentUser, mReg::ConfigKey);
    mReg::SetConfigValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("ver"),
                         QStringLiteral("4.0"));
    EXPECT_TRUE(QFile::exists(hives + QStringLiteral("/current_user.ini")));
    EXPECT_FALSE(QFile::exists(hives + QStringLiteral("/local_machine.ini")));
}

// Every start writes its settings (the version check's date and version, the mining window's
// defaults): a key or value that holds what is written already needs no write of the file,
// which waits for the disk each time. Shown on settings that can no longer be written.
TEST_F(RegistryStoreTest, AKeyOrValueWrittenAgainAsItStandsNeedsNoWrite) {
    ASSERT_TRUE(platform::CreateKey(Hive::CurrentUser, mReg::ConfigKey));
    ASSERT_TRUE(platform::WriteValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("ver"),
                                     QStringLiteral("4.0")));
    const QString hives = folder.FilePath(QStringLiteral("settings"));
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther |
                                        QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QString hive = hives + QStringLiteral("/current_user.ini");
    ASSERT_TRUE(QFile::setPermissions(folder.Path(), readOnly | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(hive, readOnly));
    ASSERT_TRUE(QFile::setPermissions(hives, readOnly));
    {
        testing_support::OrdinaryUserFileAccess user;
        EXPECT_TRUE(platform::CreateKey(Hive::CurrentUser, mReg::ConfigKey));
        EXPECT_TRUE(platform::WriteValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("ver"),
                                         QStringLiteral("4.0")));
        EXPECT_FALSE(platform::WriteValue(Hive::CurrentUser, mReg::ConfigKey, QStringLiteral("ver"),
                                          QStringLiteral("4.1")));
    }
    ASSERT_TRUE(QFile::setPermissions(hives, readOnly | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(hive, readOnly | QFile::WriteOwner));
}

}  // namespace
