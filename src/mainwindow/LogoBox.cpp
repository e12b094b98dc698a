#include "LogoBox.h"

#include <QPainter>

namespace tagwright::mainwindow {

namespace {
const QColor LightGrey(192, 192, 192);
}

LogoBox::LogoBox(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(false);
}

void LogoBox::setPixels(const QImage& pixels)
{
    m_pixels = pixels;
    update();
}

void LogoBox::clear()
{
    m_pixels = QImage();
    update();
}

void LogoBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), LightGrey);
    if (!m_pixels.isNull())
        painter.drawImage(QPoint(0, 0), m_pixels);
}

}  // namespace tagwright::mainwindow
