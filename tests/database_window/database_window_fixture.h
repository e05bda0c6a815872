#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "database_window/database_window.h"
#include "shared/busy_indicator.h"
#include "support/qt_printers.h"
#include "support/scripted_modals.h"
#include "support/test_environment.h"

namespace database_window_testing {

// A keyword database window over the test environment's fresh db.db, with the modal dialogs'
// doubles.
class DatabaseWindowTest : public testing_support::TestEnvironment {
  protected:
    DatabaseWindowTest()
        : TestEnvironment(testing_support::Database::Fresh, testing_support::Desktop::Used) {
        BusyIndicator::Attach({});
    }
    ~DatabaseWindowTest() override {
        window.reset();
        delete LoadedAddKeywords();
    }

    // Creates the window, sizes it and runs its load.
    关键词数据库& Open() {
        window = std::make_unique<关键词数据库>(memory);
        window->resize(1200, 800);
        window->Form_Load();
        window->show();
        return *window;
    }

    // The shown list's texts (or cell `j` of every row), joined by ",".
    QString Column(int j = 0) const {
        QStringList cells;
        const platform::RowTable& rows = window->ListView16->Rows();
        for (int i = 1; i <= rows.Count(); ++i) cells << rows.Cell(i, j);
        return cells.join(u',');
    }
    QString MasterColumn(int j = 0) const {
        QStringList cells;
        for (int i = 1; i <= window->ListView13.Count(); ++i)
            cells << window->ListView13.Cell(i, j);
        return cells.join(u',');
    }
    void Check(std::initializer_list<int> rows) {
        for (int row : rows) window->ListView16->Rows().SetChecked(row, true);
    }

    testing_support::ScriptedModals modals;
    DatabaseWindowMemory memory;
    std::unique_ptr<关键词数据库> window;
};

}  // namespace database_window_testing
