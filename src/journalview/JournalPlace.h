#pragma once

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
class LabelSource;
}

namespace tagwright::journalview {

// What the journal features use of the main window: the database holding the journal, the
// writer that journals the window's prints (read after what it still writes), the dialogs,
// the window that messages and the preview are shown over, and the window's printing, whose
// pipeline reprints where Print prints.
struct JournalPlace {
    store::Database& database;
    journal::JournalWriter& writer;
    ui::UserDialogs& dialogs;
    QWidget* window = nullptr;
    mainwindow::LabelSource& printing;
};

}  // namespace tagwright::journalview
