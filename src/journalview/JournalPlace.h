#pragma once

#include <functional>

class QWidget;

namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::store {
class Database;
}

namespace tagwright::journal {
class JournalWriter;
}

namespace tagwright::mainwindow {
class PrintOutput;
}

namespace tagwright::journalview {

// What the journal features use of the main window: the database holding the journal, the
// writer that journals the window's prints, the dialogs, the window that messages and the preview are shown over, and where the window's
// Print prints (asked each time: it may be changed while the program runs).
struct JournalPlace {
    store::Database& database;
    journal::JournalWriter& writer;
    ui::UserDialogs& dialogs;
    QWidget* window = nullptr;
    std::function<mainwindow::PrintOutput*()> output;
};

}  // namespace tagwright::journalview
