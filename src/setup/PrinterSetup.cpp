#include "PrinterSetup.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/PrinterChoice.h"
#include "mainwindow/UserDialogs.h"

namespace tagwright::setup {

void choosePrinter(mainwindow::MainWindow& window)
{
    mainwindow::PrinterChoice& choice = mainwindow::PrinterChoice::of(window);
    if (window.dialogs().choosePrinter(&window, choice.printerForDialog()))
        choice.accept();
}

}  // namespace tagwright::setup
