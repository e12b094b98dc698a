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

QLineEdit* lineEdit(QWidget* parent, const char* objectName, QRect twips, int maxLength)
{
    auto* box = place<QLineEdit>(parent, objectName, twips);
    box->setMaxLength(maxLength);
    return box;
}

QLabel* caption(QWidget* parent, const char* objectName, const QString& text, QRect twips)
{
    auto* label = place<QLabel>(parent, objectName, twips, text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QFrame* panel(QWidget* parent, const char* objectName, QRect twips)
{
    auto* frame = place<QFrame>(parent, objectName, twips);
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
