#pragma once

#include "MainWindowControls.h"

#include <QSize>

class QColor;
class QPushButton;
class QWidget;

namespace tagwright::mainwindow {

// Size of the window's inner area: the card picture and the button column.
QSize mainWindowInnerSize();

// Creates every control of the main window on `area` at its place (twips converted to
// pixels), with its caption, font, colour and start visibility.
MainWindowControls buildMainWindowLayout(QWidget* area);

// The Setup button's caption colour while the setup panel is closed.
QColor setupCaptionBlue();

// Sets a button's caption colour for as long as it can be pressed; disabled, its caption
// greys like any other button's.
void setEnabledCaptionColour(QPushButton* button, const QColor& colour);

}  // namespace tagwright::mainwindow
