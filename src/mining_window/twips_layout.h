#pragma once

#include <QString>
#include <QWidget>
#include <initializer_list>
#include <type_traits>

#include "platform/controls.h"
#include "platform/twips.h"

// Placing the mining window's controls where its design has them, in twips, and moving them
// when a pane changes size.
namespace twips_layout {

// `control`, named `name` for the tests that look for it, at its design place.
template <typename Control>
Control* Put(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromUtf8(name));
    platform::SetGeometryTwips(control, left, top, width, height);
    return control;
}

// Where a builder puts a control it makes, and the name the control gets.
template <typename Control>
struct Named {
    Control** control;
    const char* name;
};
// A member control with its own name.
#define NAMED(member)                                              \
    twips_layout::Named<std::remove_pointer_t<decltype(member)>> { \
        &member, #member                                           \
    }

// Makes `control` the named one, where it stands.
template <typename Control>
Control* Name(Named<Control> slot, Control* control) {
    control->setObjectName(QString::fromUtf8(slot.name));
    *slot.control = control;
    return control;
}

// Makes `control` the named one at its design place.
template <typename Control>
Control* Put(Named<Control> slot, Control* control, int left, int top, int width, int height) {
    *slot.control = Put(control, slot.name, left, top, width, height);
    return *slot.control;
}

// A label that only shows its caption.
platform::Label* Caption(QWidget* parent, const QString& text, int left, int top, int width,
                         int height = 255);

// One button of a row or column of buttons: the button, its caption and width.
struct RowButton {
    Named<platform::CommandButton> button;
    QString caption;
    int width;
};
// Places `buttons` left to right from `left` at `top`, a small gap apart.
void PlaceButtonRow(QWidget* parent, int left, int top, std::initializer_list<RowButton> buttons);
// Places `buttons` top to bottom from `top` at `left`, a small gap apart.
void PlaceButtonColumn(QWidget* parent, int left, int top,
                       std::initializer_list<RowButton> buttons);

// A computed length below zero, as a window too small gives, leaves that length as it was.
void SetLeft(QWidget* control, int twips);
void SetTop(QWidget* control, int twips);
void SetWidth(QWidget* control, int twips);
void SetHeight(QWidget* control, int twips);

}  // namespace twips_layout
