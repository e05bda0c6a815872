#include "support/program_folder_fixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/database.h"
#include "platform/program_folder.h"
#include "platform/settings_hive.h"

namespace testing_support {

TemporaryProgramFolder::TemporaryProgramFolder()
    : previousHome_(qgetenv(platform::kProgramFolderVariable)),
      previousConfig_(qgetenv(platform::kSettingsFolderVariable)) {
    QDir(folder_.path()).mkdir(QStringLiteral("settings"));
    qputenv(platform::kProgramFolderVariable, folder_.path().toUtf8());
    qputenv(platform::kSettingsFolderVariable,
            folder_.filePath(QStringLiteral("settings")).toUtf8());
}

TemporaryProgramFolder::~TemporaryProgramFolder() {
    qputenv(platform::kProgramFolderVariable, previousHome_);
    qputenv(platform::kSettingsFolderVariable, previousConfig_);
}

void TemporaryProgramFolder::AddFreshDatabase(const QString& name) const {
    QFile schema(QStringLiteral(TARNWICK_SCHEMA_FILE));
    ASSERT_TRUE(schema.open(QIODevice::ReadOnly)) << TARNWICK_SCHEMA_FILE;
    const QString path = FilePath(name);
    QFile(path).open(QIODevice::WriteOnly);  // an empty file is a valid empty database
    platform::Connection connection;
    ASSERT_TRUE(connection.Open(path));
    for (const QString& statement : QString::fromUtf8(schema.readAll()).split(u';')) {
        QString sql;
        for (const QString& line : statement.split(u'\n'))
            if (!line.trimmed().startsWith(QStringLiteral("--"))) sql += line + u'\n';
        if (sql.trimmed().isEmpty()) continue;
        ASSERT_TRUE(connection.Execute(sql)) << connection.LastError().toStdString();
    }
}

void TemporaryProgramFolder::AddHelperPage() const {
    ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("loginweb")));
    QFile page(FilePath(QStringLiteral("loginweb/111.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><input></body></html>");
}

}  // namespace testing_support
