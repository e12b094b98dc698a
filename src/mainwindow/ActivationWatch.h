#pragma once

#include <QObject>

class QWidget;
class QWindow;

namespace tagwright::mainwindow {

// Tells when the main window is activated in the program's sense: its first showing, and
// its becoming active again after another window of the program (one marked with
// ui::markAsWindowOfProgram) was active. Returning from a message box, a system dialog or
// another program is no activation.
//
// The first showing is taken from the window's first show event rather than from window
// activation: without a window manager (a bare X server, an offscreen session) a window is
// not necessarily activated when shown.
class ActivationWatch : public QObject {
    Q_OBJECT
public:
    explicit ActivationWatch(QWidget* window);

Q_SIGNALS:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void noteFocusWindow(QWindow* focusWindow);

    QWidget* m_window;
    bool m_shown = false;
    bool m_programWindowWasActive = false;
};

}  // namespace tagwright::mainwindow
