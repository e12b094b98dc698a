#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace tagwright::mainwindow {

// The logo picture box: shows the drawing area's pixels (the logo placed on the light grey
// background) exactly as printing reads them.
class LogoBox : public QWidget {
    Q_OBJECT
public:
    explicit LogoBox(QWidget* parent = nullptr);

    // The box's drawing area as printing copies it; a null image when no picture is shown.
    QImage pixels() const { return m_pixels; }
    bool hasPicture() const { return !m_pixels.isNull(); }
    void setPixels(const QImage& pixels);
    void clear();

    // Shows the picture in the file at `path`; an empty path clears the box, and a missing or
    // unreadable file leaves the picture as it was. A metafile is drawn by the guarded helper
    // away from the window's thread: the box keeps its picture until the drawing arrives, so
    // nothing the window does waits on a logo. A later call overrides one still running.
    void showFile(const QString& path);
    bool isLoading() const { return m_loading; }

Q_SIGNALS:
    // A picture started by showFile() has arrived or proved unreadable.
    void loaded();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showLoaded(const QImage& pixels);

    QImage m_pixels;
    quint64 m_request = 0;  // the showFile() call whose picture the box waits for
    bool m_loading = false;
};

}  // namespace tagwright::mainwindow
