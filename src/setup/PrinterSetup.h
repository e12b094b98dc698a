#pragma once

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::setup {

// The printer set-up button: the system's printer dialog on the printer kept for this run.
// Accepting makes that printer (or PDF file) the one every later print job uses; cancelling
// keeps the previous choice.
void choosePrinter(mainwindow::MainWindow& window);

}  // namespace tagwright::setup
