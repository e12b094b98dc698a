#pragma once

#include "JournalPlace.h"

#include <array>

class QLineEdit;
class QMenuBar;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::journalview {

// Gives the window of `place` the journal: "Journal..." in its Tools menu, which opens the journal view
// (made on first use), and the registration box's completion from the shop's aircraft.
// `valueBoxes` are the card's six value boxes in header order, showing `card`'s values.
void installJournalFeatures(QMenuBar* menuBar, const JournalPlace& place,
                            const std::array<QLineEdit*, 6>& valueBoxes,
                            const session::CardSession& card);

}  // namespace tagwright::journalview
