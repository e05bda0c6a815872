#include "keyword_lists/keyword_filter_frame.h"

#include "platform/twips.h"

namespace {

constexpr int kRowHeight = 540;  // twips
constexpr int kFirstRow = 360;

// One row of the frame at `top` twips: its label, operator box and text box.
void PlaceRow(QWidget* frame, int top, const QString& label, platform::ComboBox* combo,
              platform::TextBox* text) {
    auto* caption = new platform::Label(label, frame);
    platform::SetGeometryTwips(caption, 120, top + 45, 1380, 300);
    platform::SetGeometryTwips(combo, 1500, top, 900, 330);
    platform::SetGeometryTwips(text, 2460, top, 1140, 330);
}

template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

}  // namespace

KeywordFilterFrame::KeywordFilterFrame(const QString& caption, const QString& hint, QWidget* parent)
    : platform::Frame(caption, parent),
      Text4(Named(new platform::TextBox(this), "Text4")),
      Combo4(Named(new platform::ComboBox(this), "Combo4")),
      Text5(Named(new platform::TextBox(this), "Text5")),
      Combo5(Named(new platform::ComboBox(this), "Combo5")),
      Text6(Named(new platform::TextBox(this), "Text6")),
      Combo6(Named(new platform::ComboBox(this), "Combo6")),
      Text7(Named(new platform::TextBox(this), "Text7")),
      Combo7(Named(new platform::ComboBox(this), "Combo7")),
      Text9(Named(new platform::TextBox(this), "Text9")),
      Combo9(Named(new platform::ComboBox(this), "Combo9")),
      Command17(Named(new platform::CommandButton(QStringLiteral("还原"), this), "Command17")),
      Command22(Named(new platform::CommandButton(QStringLiteral("开始过滤"), this), "Command22")) {
    int top = kFirstRow;
    PlaceRow(this, top, QStringLiteral("相关关键词中："), Combo4, Text4);
    top += kRowHeight;
    if (!hint.isEmpty()) {
        auto* line = new platform::Label(hint, this);
        platform::SetGeometryTwips(line, 1500, top - 150, 2100, 300);
        top += 240;
    }
    const struct {
        const char* label;
        platform::ComboBox* combo;
        platform::TextBox* text;
    } rows[] = {{"百度收录数量：", Combo5, Text5},
                {"百度月均指数：", Combo6, Text6},
                {"百度昨日指数：", Combo7, Text7},
                {"百度优化指数：", Combo9, Text9}};
    for (const auto& row : rows) {
        PlaceRow(this, top, QString::fromUtf8(row.label), row.combo, row.text);
        top += kRowHeight;
    }
    platform::SetGeometryTwips(Command17, 240, top + 60, 1500, 420);
    platform::SetGeometryTwips(Command22, 1980, top + 60, 1500, 420);
    setFixedSize(platform::TwipsToPixels(3720), platform::TwipsToPixels(top + 660));
}

void KeywordFilterFrame::FillOperators() {
    Combo4->AddItem(QStringLiteral("包含"));
    Combo4->AddItem(QStringLiteral("不包含"));
    for (platform::ComboBox* combo : {Combo5, Combo6, Combo7, Combo9})
        for (const char* item : {">", "<", "="}) combo->AddItem(QString::fromLatin1(item));
    for (platform::ComboBox* combo : {Combo4, Combo5, Combo6, Combo7, Combo9})
        combo->SetListIndex(0);
}

KeywordFilter KeywordFilterFrame::Filter() const {
    KeywordFilter filter;
    filter.words = Text4->Text();
    filter.wordMode = Combo4->ListIndex();
    filter.count = {Text5->Text(), Combo5->ListIndex()};
    filter.month = {Text6->Text(), Combo6->ListIndex()};
    filter.day = {Text7->Text(), Combo7->ListIndex()};
    filter.index = {Text9->Text(), Combo9->ListIndex()};
    return filter;
}
