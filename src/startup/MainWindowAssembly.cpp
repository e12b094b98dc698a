#include "MainWindowAssembly.h"
#include "SetupWiring.h"

#include "journalview/JournalFeatures.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/MainWindow.h"

namespace tagwright::startup {

std::unique_ptr<mainwindow::MainWindow> assembleMainWindow(store::Database& mainDatabase,
                                                           store::Database& setupDatabase,
                                                           mainwindow::UserDialogs& dialogs)
{
    auto window = std::make_unique<mainwindow::MainWindow>(mainDatabase, setupDatabase, dialogs);
    wireSetupFeatures(*window);
    mainwindow::installMainMenu(*window);
    journalview::installJournalFeatures(*window);
    return window;
}

}  // namespace tagwright::startup
