#pragma once

#include "JournalPlace.h"

#include <array>

class QLineEdit;
class QMainWindow;

namespace tagwright::journalview {

// Gives `window` the journal: "Journal..." in its Tools menu, which opens the journal view
// (made on first use), and the registration box's completion from the shop's aircraft.
// `valueBoxes` are the card's six value boxes in header order.
void installJournalFeatures(QMainWindow& window, const JournalPlace& place,
                            const std::array<QLineEdit*, 6>& valueBoxes);

}  // namespace tagwright::journalview
