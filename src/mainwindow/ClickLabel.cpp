#include "ClickLabel.h"

#include <QMouseEvent>

namespace tagwright::mainwindow {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

}  // namespace tagwright::mainwindow
