#pragma once

#include "LogoSelectionWindow.h"

#include <QObject>
#include <QPointer>

class QAbstractButton;


namespace tagwright::setup {

class TemplateOnShow;
class WindowNotices;

// The "Logo" button: opens the logo selection window beside the main window, or brings
// it forward when it is already open, and marks the main window's logo for reloading at
// its next activation.
class LogoWindowOpener : public QObject {
    Q_OBJECT
public:
    LogoWindowOpener(QWidget& window, QAbstractButton* logoButton, TemplateOnShow& card,
                     WindowNotices& notices);

    void openLogoWindow();
    // The open window, or null.
    LogoSelectionWindow* logoWindow() const { return m_logoWindow; }

private:
    QWidget& m_window;
    TemplateOnShow& m_card;
    WindowNotices& m_notices;
    QPointer<LogoSelectionWindow> m_logoWindow;
};

}  // namespace tagwright::setup
