#pragma once

#include <QColor>
#include <QImage>

namespace tagwright::ui {

// The 16-colour palette of the card file look that the program's own pictures are drawn in.
namespace palette {
inline const QColor Black(0, 0, 0);
inline const QColor Grey(128, 128, 128);
inline const QColor Silver(192, 192, 192);
inline const QColor White(255, 255, 255);
inline const QColor Navy(0, 0, 128);
inline const QColor Teal(0, 128, 128);
inline const QColor Maroon(128, 0, 0);
inline const QColor Blue(0, 0, 255);
}  // namespace palette

// A cleared canvas of `logicalSize` window pixels with as many device pixels as the screens
// show them with, so lines and text drawn on it stay sharp on a high-resolution screen.
QImage sharpCanvas(QSize logicalSize, QImage::Format format);

}  // namespace tagwright::ui
