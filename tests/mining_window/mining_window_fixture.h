#pragma once

#include <gtest/gtest.h>

#include <QPointer>
#include <QStringList>

#include "mining_window/mining_window.h"
#include "platform/settings_hive.h"
#include "shared/busy_indicator.h"
#include "shared/job_progress.h"
#include "shared/registry_store.h"
#include "shell/database_bootstrap.h"
#include "shell/work_windows.h"
#include "support/fake_browser.h"
#include "support/qt_printers.h"
#include "support/scripted_modals.h"
#include "support/test_environment.h"

namespace mining_testing {

// Everything a mining window test runs against: the test environment with the program's own
// tables in its db.db, and doubles for the browsers and the modal dialogs. The window's fields
// outlive each window, as they outlive each opening in the program.
class MiningWindowTest : public testing_support::TestEnvironment {
  protected:
    MiningWindowTest()
        : TestEnvironment(testing_support::Database::Fresh, testing_support::Desktop::Used) {
        BootstrapSchema();
        BusyIndicator::Attach({});
        BusyIndicator::Set(BusyIndicator::kReady);
        JobProgress::Attach({});
        JobProgress::Clear();
        // The program's windows as the blocking settings reach them: this test's mining window.
        RegisterWorkWindow(WorkWindowKind::Mining, [this] { return new 关键词挖掘(fields); });
        for (WorkWindowKind kind : {WorkWindowKind::Tools, WorkWindowKind::Database})
            RegisterWorkWindow(kind, {});
    }
    ~MiningWindowTest() override {
        Unload();
        RegisterWorkWindow(WorkWindowKind::Mining, {});
    }

    // A new window, loaded as the window switch loads it and shown at `width` x `height`
    // pixels.
    关键词挖掘& Opened(int width = 1200, int height = 800) {
        Unload();
        window = static_cast<关键词挖掘*>(LoadWorkWindow(WorkWindowKind::Mining));
        window->resize(width, height);
        window->show();
        return *window;
    }
    // The window unloaded; its fields stay.
    void Unload() { UnloadWorkWindow(WorkWindowKind::Mining); }

    static QString Setting(const QString& name) {
        return platform::ReadValue(platform::Hive::CurrentUser, mReg::ConfigKey, name)
            .value_or(QStringLiteral("<none>"));
    }
    static void StoreSetting(const QString& name, const QString& value) {
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey, name, value);
    }

    // Every row of a table of db.db, its columns joined by "|", in the order of ids.
    static QStringList TableRows(const QString& table, const QString& columns) {
        QStringList rows;
        std::optional<platform::Recordset> records = SharedConnection().Query(
            QStringLiteral("select %1 from %2 order by id").arg(columns, table));
        for (; records && !records->Eof(); records->MoveNext()) {
            QStringList fields;
            for (int i = 0; i < records->FieldCount(); ++i) fields << records->Field(i).toString();
            rows << fields.join(u'|');
        }
        return rows;
    }

    testing_support::FakeBrowsers browsers;
    testing_support::ScriptedModals modals;
    MiningWindowFields fields;
    QPointer<关键词挖掘> window;
};

// The texts of the rows of `list`, top to bottom.
inline QStringList Texts(const platform::RowTable& list) {
    QStringList texts;
    for (int i = 1; i <= list.Count(); ++i) texts << list.Text(i);
    return texts;
}

}  // namespace mining_testing
