#pragma once

#include <QImage>
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_pixels;
};

}  // namespace tagwright::mainwindow
