#include "InformationPanel.h"

#include "mainwindow/MainWindowControls.h"
#include "mainwindow/WindowKeys.h"
#include "store/DataFolders.h"
#include "store/Database.h"

#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace tagwright::setup {

InformationPanel::InformationPanel(QWidget& window, mainwindow::MainWindowControls& controls,
                                   store::Database& mainDatabase, store::Database& setupDatabase)
    : QObject(&window), m_controls(controls), m_mainDatabase(mainDatabase),
      m_setupDatabase(setupDatabase)
{
    setObjectName(QStringLiteral("InformationPanel"));
    const mainwindow::MainWindowControls& c = controls;
    c.infoText->setTextFormat(Qt::PlainText);
    c.infoPanel->installEventFilter(this);
    c.infoText->installEventFilter(this);
    connect(c.informationButton, &QToolButton::clicked, this, &InformationPanel::toggle);
    mainwindow::cancelOnEscape(c.infoPanel, [panel = c.infoPanel] { panel->hide(); });
}

void InformationPanel::toggle()
{
    QFrame* panel = m_controls.infoPanel;
    if (!panel->isHidden()) {
        panel->hide();
        return;
    }
    // The paths are read when shown: the panel must name the files actually open.
    m_controls.infoText->setText(informationText(m_mainDatabase, m_setupDatabase));
    panel->show();
    panel->raise();
}

bool InformationPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress)
        m_controls.infoPanel->hide();
    return QObject::eventFilter(watched, event);
}

QString informationText(const store::Database& mainDatabase, const store::Database& setupDatabase)
{
    return QStringLiteral("Tagwright\nVersion %1\n\n"
                          "Composes and prints maintenance-record labels for aircraft "
                          "maintenance shops.\n\n"
                          "Templates and shop settings:\n%2\n\nSetup file:\n%3\n\n%4")
        .arg(QStringLiteral(TAGWRIGHT_VERSION),
             QDir::toNativeSeparators(mainDatabase.path()),
             QDir::toNativeSeparators(setupDatabase.path()),
             store::decideDataLocation(QDir::currentPath(), store::programFolder()).explanation());
}

}  // namespace tagwright::setup
