#include "ActivationWatch.h"

#include "ui/ProgramWindows.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tagwright::mainwindow {

ActivationWatch::ActivationWatch(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &ActivationWatch::noteFocusWindow);
}

void ActivationWatch::noteFocusWindow(QWindow* focusWindow)
{
    if (!focusWindow)
        return;  // another program took the focus: that says nothing about our windows
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != m_window && widget->windowHandle() == focusWindow
            && ui::isWindowOfProgram(widget)) {
            m_programWindowWasActive = true;
            return;
        }
    }
}

bool ActivationWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        m_programWindowWasActive = false;
        Q_EMIT activated();
    } else if (event->type() == QEvent::WindowActivate && m_shown && m_programWindowWasActive) {
        m_programWindowWasActive = false;
        Q_EMIT activated();
    }
    return false;
}

}  // namespace tagwright::mainwindow
