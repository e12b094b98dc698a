#include "SplashWindow.h"

#include "ui/FormLayout.h"
#include "ui/Pictures.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace tagwright::startup {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_picture(drawSplashPicture())
{
    ui::nameWidget(this, {"splashWindow", "Form2"});
    setWindowTitle(QStringLiteral("Trevalle Series"));
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    setCursor(Qt::WaitCursor);
    ui::nameWidget(&m_startTimer, {"startTimer", "Timer1"});
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(1000);
}

bool SplashWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Q_EMIT activated();
    return handled;
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

QImage drawSplashPicture()
{
    QImage image = ui::sharpCanvas({420, 240}, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 128));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A label tag with its eyelet and string.
    QPainterPath tag;
    tag.moveTo(60, 60);
    tag.lineTo(300, 60);
    tag.lineTo(360, 120);
    tag.lineTo(300, 180);
    tag.lineTo(60, 180);
    tag.closeSubpath();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 255, 192));
    p.drawPath(tag);
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(QPointF(318, 120), 9, 9);
    p.setPen(QPen(QColor(192, 192, 192), 2));
    p.drawLine(QPointF(327, 120), QPointF(400, 90));

    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(128, 0, 0));
    p.drawText(QRect(60, 70, 240, 60), Qt::AlignCenter, QStringLiteral("Tagwright"));
    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(13);
    p.setFont(line);
    p.setPen(Qt::black);
    p.drawText(QRect(60, 125, 240, 40), Qt::AlignCenter,
               QStringLiteral("Maintenance record labels"));
    p.setPen(QColor(192, 192, 192));
    p.drawText(QRect(0, 205, 420, 24), Qt::AlignCenter, QStringLiteral("Starting..."));
    return image;
}

}  // namespace tagwright::startup
