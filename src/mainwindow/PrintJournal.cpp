#include "PrintJournal.h"

#include "MainWindow.h"
#include "UserDialogs.h"
#include "WindowSnapshot.h"

#include "journal/PrintInput.h"

#include <QLabel>

namespace tagwright::mainwindow {

void journalPrint(MainWindow& window, const printing::PrintRequest& input, bool tractorStock,
                  const QString& destination, const printing::PrintResult& result)
{
    const journal::PrintContext context{templateTitle(window.controls(), window.state()),
                                        window.controls().logoPathHolder->text(), tractorStock};
    const store::StoreError error = journal::recordPrint(
        window.mainDatabase(), journal::entryFor(input, context), destination, result);
    if (!error.ok()) {
        window.dialogs().showMessage(
            &window, QMessageBox::Warning, QStringLiteral("Journal"),
            QStringLiteral("The label went to %1, but the journal could not record it: %2")
                .arg(destination, error.describe()));
    }
}

}  // namespace tagwright::mainwindow
