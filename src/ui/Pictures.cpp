#include "Pictures.h"

#include <QGuiApplication>

namespace tagwright::ui {

QImage sharpCanvas(QSize logicalSize, QImage::Format format)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QImage image(logicalSize * ratio, format);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace tagwright::ui
