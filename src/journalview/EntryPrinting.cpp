#include "EntryPrinting.h"

#include "journal/PrintInput.h"
#include "mainwindow/PrintOutput.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/UserDialogs.h"
#include "printing/LabelPrinter.h"
#include "printing/PrinterSurface.h"

#include <QApplication>

namespace tagwright::journalview {

namespace {

using printing::PrintResult;

journal::JournalEntry reprintOf(const journal::JournalEntry& entry)
{
    journal::JournalEntry again = entry;
    again.repeats = entry.number;
    return again;
}

// Journals the reprint; a journal that cannot take it is said over `parent`.
qint64 record(const JournalPlace& place, QWidget* parent, const journal::JournalEntry& entry,
              const QString& destination, const PrintResult& result)
{
    qint64 number = -1;
    const store::StoreError error = journal::recordPrint(place.database, reprintOf(entry),
                                                         destination, result, &number);
    if (!error.ok()) {
        place.dialogs.showMessage(
            parent, QMessageBox::Warning, QStringLiteral("Journal"),
            QStringLiteral("The label went to %1, but the journal could not record it: %2")
                .arg(destination, error.describe()));
    }
    return number;
}

}  // namespace

qint64 reprintEntry(const JournalPlace& place, QWidget* parent, const journal::JournalEntry& entry)
{
    mainwindow::UserDialogs& dialogs = place.dialogs;
    mainwindow::PrintOutput* output = place.output ? place.output() : nullptr;
    QString error = QStringLiteral("No printer is available.");
    if (output)
        output->setJobTitle(entry.templateTitle);
    std::unique_ptr<printing::PrinterSurface> surface = output ? output->open(&error) : nullptr;
    if (!surface) {
        if (!error.isEmpty())
            dialogs.showMessage(parent, QMessageBox::Critical, QStringLiteral("Reprint"), error);
        return -1;
    }
    PrintResult result;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        printing::LabelPrinter printer;
        const printing::PrintRequest input = journal::printRequestFor(entry);
        result = printer.PrintLabels(*surface, input, entry.tractorFeed);
        QApplication::restoreOverrideCursor();
    }
    const QString note = output->close(*surface);
    const qint64 number = record(place, parent, entry, output->destination(), result);
    if (result.status == PrintResult::Status::Refused)
        dialogs.showMessage(parent, QMessageBox::Warning, QStringLiteral("Reprint"), result.message);
    else if (result.status == PrintResult::Status::Failed)
        dialogs.showMessage(parent, QMessageBox::Critical, QStringLiteral("Printing failed"), result.message);
    else if (!note.isEmpty() && result.jobsSent > 0)
        dialogs.showMessage(parent, QMessageBox::Information, QStringLiteral("Reprint"), note);
    return number;
}

void previewEntry(const JournalPlace& place, const journal::JournalEntry& entry)
{
    PrintResult printed;
    if (const auto where = mainwindow::previewLabel(place.window, place.dialogs,
                                                    journal::printRequestFor(entry),
                                                    entry.tractorFeed, printed))
        record(place, place.window, entry, *where, printed);
}

}  // namespace tagwright::journalview
