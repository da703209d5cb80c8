#pragma once

#include <QRect>

namespace lapidor {

// Design positions and sizes are in twips; at 96 dots per inch a logical
// pixel is 15 twips, and Qt scales logical pixels for high-DPI screens.
constexpr int twipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    QRect toPixels() const { return {pixels(left), pixels(top), pixels(width), pixels(height)}; }
};

} // namespace lapidor
