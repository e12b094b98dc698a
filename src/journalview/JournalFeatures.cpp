#include "JournalFeatures.h"

#include "AircraftCompletion.h"
#include "JournalWindow.h"

#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tagwright::journalview {

void installJournalFeatures(mainwindow::MainWindow& window)
{
    new AircraftCompletion(window);
    QMenu* tools = window.menuBar()->findChild<QMenu*>(QStringLiteral("menuTools"));
    if (!tools)
        tools = window.menuBar()->addMenu(QStringLiteral("T&ools"));
    QAction* open = tools->addAction(QStringLiteral("&Journal..."));
    open->setObjectName(QStringLiteral("actionJournal"));
    QObject::connect(open, &QAction::triggered, &window, [&window] {
        auto* view = window.findChild<JournalWindow*>(QStringLiteral("JournalWindow"));
        if (!view)
            view = new JournalWindow(window);
        view->openJournal();
    });
}

}  // namespace tagwright::journalview
