#pragma once

#include <memory>

namespace tagwright::store {
class Database;
}
namespace tagwright::mainwindow {
class MainWindow;
class UserDialogs;
}

namespace tagwright::startup {

// The main window with every feature attached (setup panel, font and logo selection, the
// menu bar), not yet loaded.
std::unique_ptr<mainwindow::MainWindow> assembleMainWindow(store::Database& mainDatabase,
                                                           store::Database& setupDatabase,
                                                           mainwindow::UserDialogs& dialogs);

}  // namespace tagwright::startup
