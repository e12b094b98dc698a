#pragma once

#include "Twips.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <utility>

class QColor;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tagwright::ui {

// Places a new `Widget` on `parent` at a rectangle given in twips, named `objectName`.
template <typename Widget, typename... Args>
Widget* place(QWidget* parent, const char* objectName, QRect twips, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(objectName));
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

QFont fontOf(const QString& family, double points, bool bold = false);
void setBackground(QWidget* widget, const QColor& colour);
// A text box taking at most `maxLength` characters.
QLineEdit* lineEdit(QWidget* parent, const char* objectName, QRect twips, int maxLength = 32767);
// A caption, wrapped and set at the top left of its place.
QLabel* caption(QWidget* parent, const char* objectName, const QString& text, QRect twips);
// A raised panel over the card.
QFrame* panel(QWidget* parent, const char* objectName, QRect twips);

// Sets a button's caption colour for as long as it can be pressed; disabled, its caption
// greys like any other button's.
void setEnabledCaptionColour(QPushButton* button, const QColor& colour);

}  // namespace tagwright::ui
