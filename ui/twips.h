#pragma once

#include <QRect>
#include <cmath>

// Positions and sizes are designed in twips; 15 twips make one device-independent pixel.
inline constexpr float kTwipsPerPixel = 15.0f;

inline int toPixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline float toTwips(int pixels) {
    return static_cast<float>(pixels) * kTwipsPerPixel;
}

inline QRect twipRect(float left, float top, float width, float height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
