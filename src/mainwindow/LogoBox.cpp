#include "LogoBox.h"

#include "printing/LogoPicture.h"

#include <QFutureWatcher>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

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

void LogoBox::showFile(const QString& path)
{
    const quint64 request = ++m_request;
    m_loading = false;
    if (path.isEmpty()) {
        clear();
        return;
    }
    if (!printing::LogoPicture::isMetafile(path)) {
        // Qt's own readers, bounded by their allocation limit: quick enough to wait for.
        showLoaded(printing::LogoPicture::boxPixelsFromFile(path));
        return;
    }
    m_loading = true;
    auto* watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, request] {
        watcher->deleteLater();
        if (request != m_request)
            return;  // another picture was asked for meanwhile
        m_loading = false;
        showLoaded(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run([path] {
        return printing::LogoPicture::boxPixelsFromFile(path);
    }));
}

void LogoBox::showLoaded(const QImage& pixels)
{
    if (!pixels.isNull())
        setPixels(pixels);
    Q_EMIT loaded();
}

void LogoBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), LightGrey);
    if (!m_pixels.isNull())
        painter.drawImage(QPoint(0, 0), m_pixels);
}

}  // namespace tagwright::mainwindow
