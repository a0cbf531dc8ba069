#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
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

// A widget with its control name, at its designed place.
template <typename W>
W* placed(W* widget, const char* name, float left, float top, float width, float height) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twipRect(left, top, width, height));
    return widget;
}
