#include "PrinterSetup.h"

#include "ui/PrinterChoice.h"
#include "ui/UserDialogs.h"

namespace tagwright::setup {

void choosePrinter(QWidget& window, ui::UserDialogs& dialogs)
{
    ui::PrinterChoice& choice = ui::PrinterChoice::of(window);
    if (dialogs.choosePrinter(&window, choice.printerForDialog()))
        choice.accept();
}

}  // namespace tagwright::setup
