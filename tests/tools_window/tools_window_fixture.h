#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "platform/charset.h"
#include "shared/registry_store.h"
#include "shared/shared_connection.h"
#include "support/qt_printers.h"
#include "support/test_environment.h"
#include "tools_window/tools_window.h"

namespace tools_testing {

// The row texts of `list`, top to bottom; with `cells`, each row's cells joined by "|".
inline QStringList Texts(const platform::RowTable& list, int cells = 1) {
    QStringList rows;
    for (int i = 1; i <= list.Count(); ++i) {
        QStringList row;
        for (int j = 0; j < cells; ++j) row << list.Cell(i, j);
        rows << row.join(u'|');
    }
    return rows;
}

// Which rows of `list` are checked, as "1" and "0".
inline QString Checks(const platform::RowTable& list) {
    QString marks;
    for (int i = 1; i <= list.Count(); ++i) marks += list.Checked(i) ? u'1' : u'0';
    return marks;
}

// A fixture page of tests/tools_window/pages, as the server sends it.
inline QByteArray PageBytes(const QString& name) {
    QFile file(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("pages/") + name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Everything a tools window test runs against: the test environment with a fresh db.db that
// the shared connection leaves closed, for the window's load to open it as the first window the
// user opens does. The window is made and loaded by Open, as the main window's switch does, and
// its fields outlive it.
class ToolsWindowTest : public testing_support::TestEnvironment {
  protected:
    ToolsWindowTest()
        : TestEnvironment(testing_support::Database::Missing, testing_support::Desktop::Used) {
        folder.AddFreshDatabase();
    }

    关键词工具& Open() {
        window = std::make_unique<关键词工具>(fields);
        window->resize(1200, 700);
        window->Form_Load();
        return *window;
    }
    void Close() { window.reset(); }

    template <typename Control = platform::CommandButton>
    Control* Find(const char* name) {
        auto* control = window->findChild<Control*>(QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Click(const char* button) { Find(button)->click(); }

    // The user ticks or clears row `row` of `list`, or edits its text in place.
    static void UserCheck(platform::ListView* list, int row, bool checked) {
        list->model()->setData(list->model()->index(row - 1, 0),
                               checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }
    static void UserEdit(platform::ListView* list, int row, const QString& text) {
        list->model()->setData(list->model()->index(row - 1, 0), text, Qt::EditRole);
    }
    static void UserClick(platform::ListView* list, int row) {
        emit list->clicked(list->model()->index(row - 1, 0));
    }

    QString Setting(const QString& name) const {
        return mReg::GetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name);
    }
    void SetSetting(const QString& name, const QString& value) const {
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name, value);
    }

    // The rows of a table of db.db, each "column|column|...", in id order.
    QStringList TableRows(const QString& sql) {
        QStringList rows;
        std::optional<platform::Recordset> records = SharedConnection().Query(sql);
        EXPECT_TRUE(records.has_value()) << sql.toStdString();
        for (; records && !records->Eof(); records->MoveNext()) {
            QStringList values;
            for (int i = 0; i < records->FieldCount(); ++i) values << records->Field(i).toString();
            rows << values.join(u'|');
        }
        return rows;
    }

    ToolsWindowFields fields;
    std::unique_ptr<关键词工具> window;
};

}  // namespace tools_testing
