#include "FormLayout.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace tagwright::ui {

QFont fontOf(const QString& family, double points, bool bold)
{
    QFont result(family);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void nameWidget(QObject* object, WidgetName name)
{
    object->setObjectName(QLatin1String(name.name));
    if (name.control)
        object->setProperty(ControlNameProperty, QLatin1String(name.control));
}

QLineEdit* lineEdit(QWidget* parent, WidgetName name, QRect twips, int maxLength)
{
    auto* box = place<QLineEdit>(parent, name, twips);
    box->setMaxLength(maxLength);
    return box;
}

QLabel* caption(QWidget* parent, WidgetName name, const QString& text, QRect twips)
{
    auto* label = place<QLabel>(parent, name, twips, text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QFrame* panel(QWidget* parent, WidgetName name, QRect twips)
{
    auto* frame = place<QFrame>(parent, name, twips);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    frame->setAutoFillBackground(true);
    return frame;
}

void setEnabledCaptionColour(QPushButton* button, const QColor& colour)
{
    QPalette palette = button->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::ButtonText, colour);
    button->setPalette(palette);
}

}  // namespace tagwright::ui
