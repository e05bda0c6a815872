#pragma once

namespace platform {

// The windows lay out in twips, as their designs give lengths: 15 twips to a pixel.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

}  // namespace platform
