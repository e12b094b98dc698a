#pragma once

#include <memory>

namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::store {
class Database;
}
namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::startup {

// The main window with every feature attached (setup panel, font and logo selection, the
// menu bar), not yet loaded.
std::unique_ptr<mainwindow::MainWindow> assembleMainWindow(store::Database& mainDatabase,
                                                           store::Database& setupDatabase,
                                                           ui::UserDialogs& dialogs);

}  // namespace tagwright::startup
