#include "JournalFeatures.h"

#include "AircraftCompletion.h"
#include "JournalWindow.h"


#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tagwright::journalview {

void installJournalFeatures(QMainWindow& window, const JournalPlace& place,
                            const std::array<QLineEdit*, 6>& valueBoxes)
{
    new AircraftCompletion(place.database, valueBoxes, &window);
    QMenu* tools = window.menuBar()->findChild<QMenu*>(QStringLiteral("menuTools"));
    if (!tools)
        tools = window.menuBar()->addMenu(QStringLiteral("T&ools"));
    QAction* open = tools->addAction(QStringLiteral("&Journal..."));
    open->setObjectName(QStringLiteral("actionJournal"));
    QObject::connect(open, &QAction::triggered, &window, [&window, place] {
        auto* view = window.findChild<JournalWindow*>(QStringLiteral("JournalWindow"));
        if (!view)
            view = new JournalWindow(place);
        view->openJournal();
    });
}

}  // namespace tagwright::journalview
