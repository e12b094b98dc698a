#pragma once

#include <QLabel>

namespace tagwright::mainwindow {

// A label that reacts to clicks: the card's page zones and the print panel's skip cells.
// A disabled label emits nothing.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tagwright::mainwindow
