#include "PrintJournal.h"

#include "MainWindow.h"
#include "WindowSnapshot.h"

#include "journal/JournalWriter.h"
#include "journal/PrintInput.h"

#include <QLabel>

namespace tagwright::mainwindow {

void journalPrint(MainWindow& window, const printing::PrintRequest& input, bool tractorStock,
                  const QString& destination, const printing::PrintResult& result)
{
    const journal::PrintContext context{templateTitle(window),
                                        window.controls().logoPathHolder->text(), tractorStock};
    window.journalWriter().record(journal::entryFor(input, context), destination, result);
}

}  // namespace tagwright::mainwindow
