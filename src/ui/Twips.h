#pragma once

#include <QRect>

namespace tagwright::ui {

// Window geometry is given in twips; Qt places widgets in device-independent pixels, of
// which there are 96 to the inch (15 twips each). Qt scales those for high-DPI screens.
inline constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    // Round to the nearest pixel, halves away from zero.
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace tagwright::ui
