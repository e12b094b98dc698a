#include "LogoWindowOpener.h"

#include "LogoSelectionWindow.h"

#include "SetupHost.h"

#include <QAbstractButton>

namespace tagwright::setup {

LogoWindowOpener::LogoWindowOpener(QWidget& window, QAbstractButton* logoButton,
                                   TemplateOnShow& card, WindowNotices& notices)
    : QObject(&window), m_window(window), m_card(card), m_notices(notices)
{
    setObjectName(QStringLiteral("LogoWindowOpener"));
    connect(logoButton, &QAbstractButton::clicked, this, &LogoWindowOpener::openLogoWindow);
}

void LogoWindowOpener::openLogoWindow()
{
    if (!m_logoWindow) {
        m_logoWindow = new LogoSelectionWindow(m_window, m_card.session());
        m_logoWindow->loadFromTemplate();
    }
    m_logoWindow->show();
    m_logoWindow->raise();
    m_logoWindow->activateWindow();
    m_notices.logoWindowOpened();
}

}  // namespace tagwright::setup
