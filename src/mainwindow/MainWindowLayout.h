#pragma once

#include "MainWindowControls.h"

#include <QSize>

class QWidget;

namespace tagwright::mainwindow {

// Size of the window's inner area: the card picture and the button column.
QSize mainWindowInnerSize();

// Creates every control of the main window on `area` at its place (twips converted to
// pixels), with its caption, font, colour and start visibility.
MainWindowControls buildMainWindowLayout(QWidget* area);

}  // namespace tagwright::mainwindow
