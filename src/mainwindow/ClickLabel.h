#pragma once

#include <QLabel>

namespace tagwright::mainwindow {

// A label that reacts to clicks: the card's page zones and the print panel's skip cells.
// A disabled label emits nothing. Given a focus policy, it takes the keyboard too: Space
// clicks it, and a frame shows that it has the focus.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tagwright::mainwindow
