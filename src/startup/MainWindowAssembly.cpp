#include "MainWindowAssembly.h"
#include "SetupWiring.h"

#include "journalview/JournalFeatures.h"
#include "signoff/SignOffFeatures.h"
#include "mainwindow/AlignmentSheetPrint.h"
#include "mainwindow/CommandActions.h"
#include "mainwindow/MainMenu.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/PrintCommand.h"

namespace tagwright::startup {

std::unique_ptr<mainwindow::MainWindow> assembleMainWindow(store::Database& mainDatabase,
                                                           store::Database& setupDatabase,
                                                           ui::UserDialogs& dialogs)
{
    auto window = std::make_unique<mainwindow::MainWindow>(mainDatabase, setupDatabase, dialogs);
    wireSetupFeatures(*window);
    new mainwindow::MainMenu(window->menuBar(), window.get(), window->commands(), window->label());
    mainwindow::MainWindow& w = *window;
    mainwindow::installAlignmentSheet(w.menuBar(), w.commands(), w.label());
    const journalview::JournalPlace journal{w.mainDatabase(), w.journalWriter(), w.dialogs(), &w,
                                            w.label()};
    journalview::installJournalFeatures(w.menuBar(), journal, w.controls().valueBoxes, w.session());
    new signoff::SignOffFeatures(w.menuBar(), w.controls(), w.label(),
                                 {w.session(), w.mainDatabase(), w.signatories(), w.dialogs(), &w});
    return window;
}

}  // namespace tagwright::startup
