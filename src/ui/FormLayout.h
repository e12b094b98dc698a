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

// The dynamic property holding a widget's control name from the earlier forms ("Text3"),
// by which scripts and tests written against those forms still find it.
inline constexpr char ControlNameProperty[] = "controlName";

// A widget's object name, saying its role ("registrationBox"), and its control name from the
// earlier forms where it had one.
struct WidgetName {
    WidgetName(const char* name, const char* control = nullptr) : name(name), control(control) {}
    const char* name;
    const char* control;
};

void nameWidget(QObject* object, WidgetName name);

// Places a new `Widget` on `parent` at a rectangle given in twips, named `name`.
template <typename Widget, typename... Args>
Widget* place(QWidget* parent, WidgetName name, QRect twips, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    nameWidget(widget, name);
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return widget;
}

QFont fontOf(const QString& family, double points, bool bold = false);
void setBackground(QWidget* widget, const QColor& colour);
// A text box taking at most `maxLength` characters.
QLineEdit* lineEdit(QWidget* parent, WidgetName name, QRect twips, int maxLength = 32767);
// A caption, wrapped and set at the top left of its place.
QLabel* caption(QWidget* parent, WidgetName name, const QString& text, QRect twips);
// A raised panel over the card.
QFrame* panel(QWidget* parent, WidgetName name, QRect twips);

// Sets a button's caption colour for as long as it can be pressed; disabled, its caption
// greys like any other button's.
void setEnabledCaptionColour(QPushButton* button, const QColor& colour);

}  // namespace tagwright::ui
