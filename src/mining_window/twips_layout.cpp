#include "mining_window/twips_layout.h"

namespace twips_layout {

platform::Label* Caption(QWidget* parent, const QString& text, int left, int top, int width,
                         int height) {
    auto* label = new platform::Label(text, parent);
    platform::SetGeometryTwips(label, left, top, width, height);
    return label;
}

namespace {

constexpr int kButtonGap = 90;
constexpr int kButtonHeight = 390;

void PlaceButtons(QWidget* parent, int left, int top, std::initializer_list<RowButton> buttons,
                  bool across) {
    for (const RowButton& button : buttons) {
        Put(button.button, new platform::CommandButton(button.caption, parent), left, top,
            button.width, kButtonHeight);
        (across ? left : top) += (across ? button.width : kButtonHeight) + kButtonGap;
    }
}

}  // namespace

void PlaceButtonRow(QWidget* parent, int left, int top, std::initializer_list<RowButton> buttons) {
    PlaceButtons(parent, left, top, buttons, true);
}

void PlaceButtonColumn(QWidget* parent, int left, int top,
                       std::initializer_list<RowButton> buttons) {
    PlaceButtons(parent, left, top, buttons, false);
}

void SetLeft(QWidget* control, int twips) {
    if (twips >= 0) control->move(platform::TwipsToPixels(twips), control->y());
}

void SetTop(QWidget* control, int twips) {
    if (twips >= 0) control->move(control->x(), platform::TwipsToPixels(twips));
}

void SetWidth(QWidget* control, int twips) {
    if (twips >= 0) control->resize(platform::TwipsToPixels(twips), control->height());
}

void SetHeight(QWidget* control, int twips) {
    if (twips >= 0) control->resize(control->width(), platform::TwipsToPixels(twips));
}

}  // namespace twips_layout
