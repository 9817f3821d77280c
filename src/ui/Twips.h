#pragma once

#include <cmath>
#include <QRect>

namespace tarvik {

// Layout is given in twips; 15 twips are one device-independent pixel. Every conversion goes
// through here, so a width read back (px × 15) is the whole-pixel width the widget really has.
inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPx(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline int pxToTwips(int px) {
    return px * kTwipsPerPixel;
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}

} // namespace tarvik
