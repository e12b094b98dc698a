#include "JournalFeatures.h"

#include "AircraftCompletion.h"
#include "JournalWindow.h"

#include "session/CardSession.h"


#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tagwright::journalview {

void installJournalFeatures(QMenuBar* menuBar, const JournalPlace& place,
                            const std::array<QLineEdit*, 6>& valueBoxes,
                            const session::CardSession& card)
{
    QWidget* window = place.window;
    auto* completion = new AircraftCompletion(place.database, place.writer, valueBoxes, place.dialogs, window);
    // The card empties its values quietly (a page step, a template shown): the hints go too.
    QObject::connect(&card, &session::CardSession::aircraftValueChanged, completion, [completion, &card](int line) {
        if (line == 0)
            completion->registrationShown(card.aircraftValue(0));
    });
    QMenu* tools = menuBar->findChild<QMenu*>(QStringLiteral("menuTools"));
    if (!tools)
        tools = menuBar->addMenu(QStringLiteral("T&ools"));
    QAction* open = tools->addAction(QStringLiteral("&Journal..."));
    open->setObjectName(QStringLiteral("actionJournal"));
    QObject::connect(open, &QAction::triggered, window, [window, place] {
        auto* view = window->findChild<JournalWindow*>(QStringLiteral("JournalWindow"));
        if (!view)
            view = new JournalWindow(place);
        view->openJournal();
    });
}

}  // namespace tagwright::journalview
