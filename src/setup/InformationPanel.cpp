#include "InformationPanel.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/WindowKeys.h"
#include "store/DataFolders.h"
#include "store/Database.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace tagwright::setup {

InformationPanel::InformationPanel(mainwindow::MainWindow& window)
    : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("InformationPanel"));
    const mainwindow::MainWindowControls& c = window.controls();
    c.infoText->setTextFormat(Qt::PlainText);
    c.infoPanel->installEventFilter(this);
    c.infoText->installEventFilter(this);
    connect(c.informationButton, &QToolButton::clicked, this, &InformationPanel::toggle);
    mainwindow::cancelOnEscape(c.infoPanel, [panel = c.infoPanel] { panel->hide(); });
}

void InformationPanel::toggle()
{
    QFrame* panel = m_window.controls().infoPanel;
    if (!panel->isHidden()) {
        panel->hide();
        return;
    }
    // The paths are read when shown: the panel must name the files actually open.
    m_window.controls().infoText->setText(informationText(m_window));
    panel->show();
    panel->raise();
}

bool InformationPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        m_window.controls().infoPanel->hide();
    return QObject::eventFilter(watched, event);
}

QString informationText(mainwindow::MainWindow& window)
{
    return QStringLiteral("Tagwright\nVersion %1\n\n"
                          "Composes and prints maintenance-record labels for aircraft "
                          "maintenance shops.\n\n"
                          "Templates and shop settings:\n%2\n\nSetup file:\n%3\n\n%4")
        .arg(QStringLiteral(TAGWRIGHT_VERSION),
             QDir::toNativeSeparators(window.mainDatabase().path()),
             QDir::toNativeSeparators(window.setupDatabase().path()),
             store::decideDataLocation(QDir::currentPath(), store::programFolder()).explanation());
}

}  // namespace tagwright::setup
