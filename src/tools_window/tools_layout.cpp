#include "tools_window/tools_layout.h"

#include <iterator>

namespace tools_layout {

using platform::PixelsToTwips;
using platform::TwipsToPixels;

platform::Label* Caption(QWidget* parent, const QString& text, Rect place) {
    auto* label = new platform::Label(text, parent);
    platform::SetGeometryTwips(label, place.left, place.top, place.width, place.height);
    return label;
}

int Left(const QWidget* control) {
    return PixelsToTwips(control->x());
}
int Top(const QWidget* control) {
    return PixelsToTwips(control->y());
}
int Width(const QWidget* control) {
    return PixelsToTwips(control->width());
}
int Height(const QWidget* control) {
    return PixelsToTwips(control->height());
}

void SetLeft(QWidget* control, int twips) {
    if (twips >= 0) control->move(TwipsToPixels(twips), control->y());
}
void SetTop(QWidget* control, int twips) {
    if (twips >= 0) control->move(control->x(), TwipsToPixels(twips));
}
void SetWidth(QWidget* control, int twips) {
    if (twips >= 0) control->resize(TwipsToPixels(twips), control->height());
}
void SetHeight(QWidget* control, int twips) {
    if (twips >= 0) control->resize(control->width(), TwipsToPixels(twips));
}

void FitRow(std::initializer_list<RowPlace> row, int right) {
    if (row.size() == 0) return;
    const int start = row.begin()->design.left;
    const Span last = std::prev(row.end())->design;
    const int end = last.left + last.width;
    const double scale = end > right && right > start ? double(right - start) / (end - start) : 1;
    for (const RowPlace& place : row) {
        SetLeft(place.control, start + int((place.design.left - start) * scale));
        SetWidth(place.control, int(place.design.width * scale));
    }
}

}  // namespace tools_layout
