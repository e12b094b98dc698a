#pragma once

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::journalview {

// Gives `window` the journal: "Journal..." in its Tools menu, which opens the journal view
// (made on first use), and the registration box's completion from the shop's aircraft.
void installJournalFeatures(mainwindow::MainWindow& window);

}  // namespace tagwright::journalview
