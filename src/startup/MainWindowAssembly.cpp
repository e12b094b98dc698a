#include "MainWindowAssembly.h"

#include "mainwindow/MainWindow.h"

namespace tagwright::startup {

std::unique_ptr<mainwindow::MainWindow> assembleMainWindow(store::Database& mainDatabase,
                                                           store::Database& setupDatabase,
                                                           mainwindow::UserDialogs& dialogs)
{
    auto window = std::make_unique<mainwindow::MainWindow>(mainDatabase, setupDatabase, dialogs);
    return window;
}

}  // namespace tagwright::startup
