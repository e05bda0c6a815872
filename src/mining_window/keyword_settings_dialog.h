#pragma once

#include <QDialog>

#include "platform/controls.h"

namespace platform {
class RowTable;
}

// 确定: adds one keyword to the batch keyword list (table kwlist and the batch pane's list), or
// edits one of its rows, with the keyword's own batch settings or the mark that the pane's
// settings apply. Nothing in the program opens it yet; its settings are stored, not applied.
// For an edit the opener puts the row's keyword into Text1 and Text3, its position (from 1)
// into Text4 and the stored settings into the other controls.
class frm_KeywordsSet : public QDialog {
  public:
    // `batchList` is the batch pane's list, which gets the added or edited row.
    explicit frm_KeywordsSet(platform::RowTable& batchList, QWidget* parent = nullptr);

    void Form_Load();
    void Check2_Click();
    void Check9_Click();
    void Text2_Change();
    void Command1_Click();
    void Command2_Click();

    platform::Label* Label1;
    platform::TextBox* Text1;
    platform::CheckBox* Check2;
    platform::Frame* Frame2;
    platform::TextBox* Text2;
    platform::ComboBox* Combo1;
    platform::Frame* Frame1;
    platform::CheckBox* Check1;
    platform::CheckBox* Check9;
    platform::TextBox* Text8;
    platform::TextBox* Text3;
    platform::TextBox* Text4;
    platform::CommandButton* Command1;
    platform::CommandButton* Command2;

  private:
    void AddKeyword(const QString& keyword);
    void EditKeyword(const QString& keyword);

    platform::RowTable& batchList_;
};
