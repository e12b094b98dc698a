#pragma once

#include <QImage>

namespace tagwright::mainwindow {

// The card file seen from the front, 640 by 480 pixels, in the 16-colour palette of the card
// file look: the front card with its title tab, the tray it stands in. The tab bars of the
// cards behind are separate controls.
QImage drawCardPicture();

}  // namespace tagwright::mainwindow
