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
    static const std::array<QString, 4> kConditionCaptions = {
        QStringLiteral("百度收录数量："), QStringLiteral("百度月均指数："),
        QStringLiteral("百度昨日指数："), QStringLiteral("百度优化指数：")};
    constexpr int kHeight = 3240;
    constexpr int kLabelWidth = 1380;
    constexpr int kOperatorLeft = kInnerLeft + kLabelWidth;
    constexpr int kOperatorWidth = 780;
    constexpr int kValueLeft = kOperatorLeft + kOperatorWidth + 60;
    constexpr int kValueWidth = kColumnWidth - kValueLeft - 120;
    constexpr int kRowHeight = 330;

    auto* frame = Put(controls.frame, new platform::Frame(QStringLiteral("过滤挖掘结果"), pane),
                      kColumnLeft, top, kColumnWidth, kHeight);
    Caption(frame, QStringLiteral("相关关键词中："), kInnerLeft, 330, kLabelWidth);
    Put(controls.wordsOperator, new platform::ComboBox(frame), kOperatorLeft, 300, kOperatorWidth,
        kRowHeight);
    Put(controls.words, new platform::TextBox(frame), kValueLeft, 300, kValueWidth, kRowHeight);
    Caption(frame, QStringLiteral("（多个词间用#分开）"), kOperatorLeft, 690,
            kColumnWidth - kOperatorLeft - kInnerLeft);
    for (size_t i = 0; i < kConditionCaptions.size(); ++i) {
        const int row = 1020 + static_cast<int>(i) * 420;
        Caption(frame, kConditionCaptions[i], kInnerLeft, row + 30, kLabelWidth);
        Put(controls.operators[i], new platform::ComboBox(frame), kOperatorLeft, row,
            kOperatorWidth, kRowHeight);
        Put(controls.values[i], new platform::TextBox(frame), kValueLeft, row, kValueWidth,
            kRowHeight);
    }
    Put(controls.restore, new platform::CommandButton(QStringLiteral("还原"), frame), kInnerLeft,
        2700, 1200, kButtonHeight);
    Put(controls.start, new platform::CommandButton(QStringLiteral("开始过滤"), frame),
        kColumnWidth - 1320, 2700, 1200, kButtonHeight);
}

}  // namespace pane_frames
