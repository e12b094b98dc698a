#pragma once

class QWidget;


namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::setup {

// The printer set-up button: the system's printer dialog on the printer kept for this run.
// Accepting makes that printer (or PDF file) the one every later print job uses; cancelling
// keeps the previous choice.
// The choice is kept with `window`.
void choosePrinter(QWidget& window, ui::UserDialogs& dialogs);

}  // namespace tagwright::setup
