// Twips, the unit the window's layout is given in, converted to device-independent pixels.
#pragma once

#include <QRect>
#include <QSize>

namespace pagekit {

// 1440 twips to the inch at 96 pixels to the inch; Qt scales pixels on high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value) {
    return value / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

}  // namespace pagekit
