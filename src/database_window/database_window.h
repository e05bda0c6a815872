#pragma once

#include "shell/work_window.h"

// The keyword database window: its side bar, its three page panes and the hidden boxes of the
// request gap and the blocking reaction.
class 关键词数据库 : public WorkWindow {
  public:
    explicit 关键词数据库(QWidget* parent = nullptr);

    void Form_Load() override;
    bool DbMissing() const override { return KeywordDbMissing; }
    bool JobRunning() const override { return false; }
    QWidget* SideBar() override { return PicLEFT; }
    QWidget* PageTabs() override { return tab1; }
    // The third pane keeps its width.
    QList<QWidget*> SideBarPanes() override { return {pic1, pic2}; }
    platform::TextBox* GapBox() override { return txtbaiduse; }
    platform::TextBox* ReactionBox() override { return txtsetse; }

    bool KeywordDbMissing = false;
    QWidget* PicLEFT;
    QWidget* tab1;
    QWidget* pic1;
    QWidget* pic2;
    QWidget* pic3;
    platform::TextBox* txtbaiduse;
    platform::TextBox* txtsetse;
};
