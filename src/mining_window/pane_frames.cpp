#include "mining_window/pane_frames.h"

namespace pane_frames {
namespace {

using twips_layout::Caption;
using twips_layout::Put;

constexpr int kInnerLeft = 120;
constexpr int kButtonHeight = 390;
constexpr int kBoxHeight = 270;
constexpr int kTextHeight = 300;

// An option box across a frame `frameWidth` wide.
void Box(QWidget* frame, int frameWidth, Named<platform::CheckBox> box, const QString& caption,
         int top, bool ticked) {
    Put(box, new platform::CheckBox(caption, frame), kInnerLeft, top, frameWidth - 2 * kInnerLeft,
        kBoxHeight)
        ->SetValue(ticked ? 1 : 0);
}

// A words box, indented under its option box.
void Words(QWidget* frame, int frameWidth, Named<platform::TextBox> words, int top) {
    Put(words, new platform::TextBox(frame), kInnerLeft + 240, top,
        frameWidth - 2 * kInnerLeft - 240, kTextHeight);
}

}  // namespace

int BuildSeedFrame(QWidget* pane, const SeedFrame& controls) {
    constexpr int kHeight = 1260;
    auto* frame = Put(controls.frame, new platform::Frame(QStringLiteral("关键词设置"), pane),
                      kColumnLeft, 120, kColumnWidth, kHeight);
    Caption(frame, QStringLiteral("关键词："), kInnerLeft, 390, 780);
    Put(controls.seed, new platform::TextBox(frame), 900, 360, kColumnWidth - 1020,
        kTextHeight + 30);
    Put(controls.start, new platform::CommandButton(QStringLiteral("开始挖掘"), frame), 900, 780,
        1500, kButtonHeight);
    return kHeight;
}

int BuildOptionFrame(QWidget* pane, int top, const OptionFrame& controls, int width) {
    auto* frame = new platform::Frame(QStringLiteral("挖掘设置"), pane);
    int row = 300;
    Box(frame, width, controls.mustContain, controls.mustContainCaption, row, true);
    row += 300;
    if (controls.mustContainWords.control) {
        Words(frame, width, controls.mustContainWords, row);
        row += 360;
    }
    Box(frame, width, controls.exclude, controls.excludeCaption, row, true);
    Words(frame, width, controls.excludeWords, row + 300);
    Caption(frame, QStringLiteral("（多个词间用#分开）"), kInnerLeft + 240, row + 660,
            width - 2 * kInnerLeft - 240);
    row += 960;
    Box(frame, width, controls.volume, QStringLiteral("同时查询关键词搜索量"), row, true);
    Box(frame, width, controls.count, QStringLiteral("同时查询关键词搜索引擎收录数"), row + 300,
        true);
    Box(frame, width, controls.save, QStringLiteral("查询数据即时加入关键词数据库"), row + 600,
        false);
    const int height = row + 600 + kBoxHeight + 180;
    Put(controls.frame, frame, kColumnLeft, top, width, height);
    return height;
}

void BuildFilterFrame(QWidget* pane, int top, const FilterFrame& controls) {
    using twips_layout::Name;
    auto* frame =
        Name(controls.frame, new KeywordFilterFrame(QStringLiteral("过滤挖掘结果"),
                                                    QStringLiteral("（多个词间用#分开）"), pane));
    frame->move(platform::TwipsToPixels(kColumnLeft), platform::TwipsToPixels(top));
    Name(controls.wordsOperator, frame->Combo4);
    Name(controls.words, frame->Text4);
    const std::array<platform::ComboBox*, 4> operators = {frame->Combo5, frame->Combo6,
                                                          frame->Combo7, frame->Combo9};
    const std::array<platform::TextBox*, 4> values = {frame->Text5, frame->Text6, frame->Text7,
                                                      frame->Text9};
    for (size_t i = 0; i < operators.size(); ++i) {
        Name(controls.operators[i], operators[i]);
        Name(controls.values[i], values[i]);
    }
    Name(controls.restore, frame->Command17);
    Name(controls.start, frame->Command22);
}

}  // namespace pane_frames
