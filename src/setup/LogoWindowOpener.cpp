#include "LogoWindowOpener.h"

#include "LogoSelectionWindow.h"

#include "mainwindow/MainWindow.h"

#include <QPushButton>

namespace tagwright::setup {

LogoWindowOpener::LogoWindowOpener(mainwindow::MainWindow& window)
    : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("LogoWindowOpener"));
    connect(window.controls().logoButton, &QPushButton::clicked, this,
            &LogoWindowOpener::openLogoWindow);
}

void LogoWindowOpener::openLogoWindow()
{
    if (!m_logoWindow) {
        m_logoWindow = new LogoSelectionWindow(m_window);
        m_logoWindow->loadFromMainWindow();
    }
    m_logoWindow->show();
    m_logoWindow->raise();
    m_logoWindow->activateWindow();
    m_window.state().LogoPending = 1;
}

}  // namespace tagwright::setup
