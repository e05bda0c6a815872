#pragma once

#include <QString>
#include <QWidget>
#include <initializer_list>

#include "platform/controls.h"
#include "platform/twips.h"

// Placing the keyword tools window's controls where its design has them, in twips, and moving
// them when a page changes size.
namespace tools_layout {

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

// A new control named `name` (the tests find controls by it) on `parent` at `place`; `args`
// come before the parent in the control's constructor (a caption, mostly).
template <typename Control, typename... Args>
Control* Put(const char* name, QWidget* parent, Rect place, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromUtf8(name));
    platform::SetGeometryTwips(control, place.left, place.top, place.width, place.height);
    return control;
}

// A label that only shows its caption.
platform::Label* Caption(QWidget* parent, const QString& text, Rect place);

// Lengths of a control in twips.
int Left(const QWidget* control);
int Top(const QWidget* control);
int Width(const QWidget* control);
int Height(const QWidget* control);
// A computed length below zero, as a window too small gives, leaves that length as it was.
void SetLeft(QWidget* control, int twips);
void SetTop(QWidget* control, int twips);
void SetWidth(QWidget* control, int twips);
void SetHeight(QWidget* control, int twips);

// A control's design place across a row: its left and its width.
struct Span {
    int left;
    int width;
};
struct RowPlace {
    QWidget* control;
    Span design;
};
// Puts a row of controls at their design places or, where the row would end past `right`,
// squeezes it to end there, keeping the controls' proportions: a frame narrower than its
// design keeps its row inside.
void FitRow(std::initializer_list<RowPlace> row, int right);

}  // namespace tools_layout
