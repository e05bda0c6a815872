#pragma once

#include "shell/work_window.h"

// The keyword mining window: its side bar, its four page panes and the hidden boxes of the
// request gap and the blocking reaction.
class 关键词挖掘 : public WorkWindow {
  public:
    explicit 关键词挖掘(QWidget* parent = nullptr);

    void Form_Load() override;
    bool DbMissing() const override { return MiningDbMissing; }
    bool JobRunning() const override { return false; }
    QWidget* SideBar() override { return PicLEFT; }
    QWidget* PageTabs() override { return tab1; }
    QList<QWidget*> SideBarPanes() override { return {pic1, pic2, pic3, pic4}; }
    platform::TextBox* GapBox() override { return txtbaiduse; }
    platform::TextBox* ReactionBox() override { return txtsetse; }

    bool MiningDbMissing = false;
    QWidget* PicLEFT;
    QWidget* tab1;
    QWidget* pic1;
    QWidget* pic2;
    QWidget* pic3;
    QWidget* pic4;
    platform::TextBox* txtbaiduse;
    platform::TextBox* txtsetse;
};
