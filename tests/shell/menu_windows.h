#pragma once

#include <QStringList>

#include "platform/list_view.h"
#include "shell/popup_menus.h"
#include "shell/work_window.h"

namespace shell_testing {

// Just enough of a work window for the main window's menus.
class MenuWindow : public WorkWindow {
  public:
    void Form_Load() override {}
    bool DbMissing() override { return false; }
    bool JobRunning() const override { return false; }
    QWidget* SideBar() override { return this; }
    QWidget* PageTabs() override { return this; }
    QList<QWidget*> SideBarPanes() override { return {}; }
};

// A mining window with its lists; it records the rows the menus re-query and add.
class MiningWindow final : public MenuWindow, public MiningMenuTarget {
  public:
    MiningWindow() {
        for (platform::ListView* list : {&ListView1, &ListView17, &ListView2})
            list->AddColumn(QStringLiteral("相关关键词"), 1200);
    }
    platform::ListView* ResultList() override { return &ListView1; }
    platform::ListView* ManualList() override { return &ListView2; }
    void recha() override { requeried << ListView1.Rows().Text(ListView1.SelectedIndex()); }
    void Addto_db() override { added << ListView1.Rows().Text(ListView1.SelectedIndex()); }

    platform::ListView ListView1, ListView17, ListView2;
    QStringList requeried, added;
};

class DatabaseWindow final : public MenuWindow, public DatabaseMenuTarget {
  public:
    platform::ListView* KeywordList() override { return &ListView16; }
    platform::ListView ListView16;
};

}  // namespace shell_testing
