#include "PrinterSetup.h"

#include "mainwindow/PrinterChoice.h"
#include "mainwindow/UserDialogs.h"

namespace tagwright::setup {

void choosePrinter(QWidget& window, mainwindow::UserDialogs& dialogs)
{
    mainwindow::PrinterChoice& choice = mainwindow::PrinterChoice::of(window);
    if (dialogs.choosePrinter(&window, choice.printerForDialog()))
        choice.accept();
}

}  // namespace tagwright::setup
