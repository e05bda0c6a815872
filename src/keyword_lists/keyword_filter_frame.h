#pragma once

#include "keyword_lists/keyword_filter.h"
#include "platform/controls.h"

// The filter frame of the mining window's regular pane ("过滤挖掘结果") and of the keyword
// database window ("数据库过滤"): the words row and four condition rows, each a label, an
// operator box and a text box, and the buttons 还原 and 开始过滤. The window connects the
// buttons; the frame only gathers what its boxes hold.
class KeywordFilterFrame : public platform::Frame {
  public:
    // `hint` is the line under the words box; none when empty.
    KeywordFilterFrame(const QString& caption, const QString& hint, QWidget* parent = nullptr);

    // Fills the operator boxes ("包含", "不包含"; ">", "<", "=") and selects their first items,
    // as the windows' loads do.
    void FillOperators();
    // The boxes as they stand.
    KeywordFilter Filter() const;

    platform::TextBox* Text4;
    platform::ComboBox* Combo4;
    platform::TextBox* Text5;
    platform::ComboBox* Combo5;
    platform::TextBox* Text6;
    platform::ComboBox* Combo6;
    platform::TextBox* Text7;
    platform::ComboBox* Combo7;
    platform::TextBox* Text9;
    platform::ComboBox* Combo9;
    platform::CommandButton* Command17;  // 还原
    platform::CommandButton* Command22;  // 开始过滤
};
