#pragma once

#include <QImage>

namespace tagwright::mainwindow {

// Pictures the program draws itself, in the 16-colour palette of the card file look. Each is
// painted in window pixels on a canvas with as many device pixels as the screen shows them
// with, so lines and text stay sharp on a high-resolution screen.

// A cleared canvas of `logicalSize` window pixels at the screens' device pixel ratio.
QImage sharpCanvas(QSize logicalSize, QImage::Format format);

// The card file seen from the front, 640 by 480 pixels: the front card with its title tab,
// the tray it stands in. The tab bars of the cards behind are separate controls.
QImage drawCardPicture();

// The pictures on the setup panel's printer set-up and information buttons.
QImage drawPrinterIcon();
QImage drawInformationIcon();

}  // namespace tagwright::mainwindow
