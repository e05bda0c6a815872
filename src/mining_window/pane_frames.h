#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "keyword_lists/keyword_filter_frame.h"
#include "mining_window/twips_layout.h"
#include "platform/controls.h"

// The frames that several panes of the mining window show alike: the seed ("关键词设置"), the
// mining options ("挖掘设置") and the result filter ("过滤挖掘结果"). Each builder makes the
// frame's controls into the window's members that it is given.
namespace pane_frames {

using twips_layout::Named;

// The left column of a pane.
inline constexpr int kColumnLeft = 120;
inline constexpr int kColumnWidth = 3615;
inline constexpr int kFrameGap = 120;

// The seed box and the start button; the frame's height.
struct SeedFrame {
    Named<platform::Frame> frame;
    Named<platform::TextBox> seed;
    Named<platform::CommandButton> start;
};
int BuildSeedFrame(QWidget* pane, const SeedFrame& controls);

// The options: must contain the seed (with words of its own on the manual pane), must not
// contain the words, also query the volume, also query the indexed pages, save each row.
struct OptionFrame {
    Named<platform::Frame> frame;
    Named<platform::CheckBox> mustContain;
    Named<platform::TextBox> mustContainWords;  // {nullptr, nullptr}: the box has none
    Named<platform::CheckBox> exclude;
    Named<platform::TextBox> excludeWords;
    Named<platform::CheckBox> volume;
    Named<platform::CheckBox> count;
    Named<platform::CheckBox> save;
    QString mustContainCaption = QStringLiteral("相关关键词中必须包含关键词");
    QString excludeCaption = QStringLiteral("相关关键词中不包含以下关键词：");
};
// An options frame at `top` of the pane's left column, `width` wide, its boxes in their design
// state: all ticked but the save box. The frame's height.
int BuildOptionFrame(QWidget* pane, int top, const OptionFrame& controls, int width = kColumnWidth);

// The result filter (the keyword filter's frame): the words row, then the conditions on the
// indexed pages, the monthly and yesterday's volume and the optimisation index, and its two
// buttons.
struct FilterFrame {
    Named<KeywordFilterFrame> frame;
    Named<platform::ComboBox> wordsOperator;
    Named<platform::TextBox> words;
    std::array<Named<platform::ComboBox>, 4> operators;
    std::array<Named<platform::TextBox>, 4> values;
    Named<platform::CommandButton> restore;  // 还原
    Named<platform::CommandButton> start;    // 开始过滤
};
// A filter frame at `top` of the pane's left column, its controls the members and names given;
// its lists are filled by the load.
void BuildFilterFrame(QWidget* pane, int top, const FilterFrame& controls);

}  // namespace pane_frames
