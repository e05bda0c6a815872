#pragma once

#include "platform/database.h"
#include "shell/work_window.h"

// The keyword tools window: its side bar and page panes, and its own database connection.
class 关键词工具 : public WorkWindow {
  public:
    explicit 关键词工具(QWidget* parent = nullptr);

    void Form_Load() override;
    bool DbMissing() const override { return ToolsDbMissing; }
    bool JobRunning() const override { return false; }
    QWidget* SideBar() override { return PicLEFT; }
    QWidget* PageTabs() override { return tab1; }
    QList<QWidget*> SideBarPanes() override { return {pic1, pic3, pic4, Pic5, pic6}; }

    // Every statement of the window runs on its own connection to db.db.
    platform::Connection ToolsConnection;
    bool ToolsDbMissing = false;
    QWidget* PicLEFT;
    QWidget* tab1;
    QWidget* pic1;
    QWidget* pic3;
    QWidget* pic4;
    QWidget* Pic5;
    QWidget* pic6;
};
