#pragma once

#include "LogoSelectionWindow.h"

#include <QObject>
#include <QPointer>

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::setup {

// The "Logo" button: opens the logo selection window beside the main window, or brings
// it forward when it is already open, and marks the main window's logo for reloading at
// its next activation.
class LogoWindowOpener : public QObject {
    Q_OBJECT
public:
    explicit LogoWindowOpener(mainwindow::MainWindow& window);

    void openLogoWindow();
    // The open window, or null.
    LogoSelectionWindow* logoWindow() const { return m_logoWindow; }

private:
    mainwindow::MainWindow& m_window;
    QPointer<LogoSelectionWindow> m_logoWindow;
};

}  // namespace tagwright::setup
