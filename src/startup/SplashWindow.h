#pragma once

#include <QTimer>
#include <QWidget>

namespace tagwright::startup {

// The window shown while the program starts: its picture under the hourglass pointer. Each
// activation runs `onActivated`; the one-shot start timer, armed by the owner, runs
// `onTimer` once, a second later.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QTimer& startTimer() { return m_startTimer; }

Q_SIGNALS:
    void activated();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QTimer m_startTimer;
};

// The splash picture, drawn by the program.
QImage drawSplashPicture();

}  // namespace tagwright::startup
