#pragma once

#include <QWidget>

namespace platform {

// The windows lay out in twips, as their designs give lengths: 15 twips to a pixel.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// Places `widget` at a position and size given in twips.
inline void SetGeometryTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                        TwipsToPixels(height));
}

}  // namespace platform
