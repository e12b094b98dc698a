#include "EntryPrinting.h"

#include "journal/JournalWriter.h"
#include "journal/PrintInput.h"
#include "mainwindow/PrintOutput.h"
#include "mainwindow/PrintPreview.h"
#include "ui/UserDialogs.h"
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

// Journals the reprint through the window's writer, which tells a failure.
void record(const JournalPlace& place, const journal::JournalEntry& entry,
            const QString& destination, const PrintResult& result)
{
    place.writer.record(reprintOf(entry), destination, result);
}

}  // namespace

void reprintEntry(const JournalPlace& place, QWidget* parent, const journal::JournalEntry& entry)
{
    ui::UserDialogs& dialogs = place.dialogs;
    mainwindow::PrintOutput* output = place.output ? place.output() : nullptr;
    QString error = QStringLiteral("No printer is available.");
    if (output)
        output->setJobTitle(entry.templateTitle);
    std::unique_ptr<printing::PrinterSurface> surface = output ? output->open(&error) : nullptr;
    if (!surface) {
        if (!error.isEmpty())
            dialogs.showMessage(parent, QMessageBox::Critical, QStringLiteral("Reprint"), error);
        return;
    }
    PrintResult result;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        printing::LabelPrinter printer;
        const printing::PrintRequest input = journal::printRequestFor(entry);
        result = printer.PrintLabels(*surface, input);
        QApplication::restoreOverrideCursor();
    }
    const QString note = output->close(*surface);
    record(place, entry, output->destination(), result);
    if (result.status == PrintResult::Status::Refused)
        dialogs.showMessage(parent, QMessageBox::Warning, QStringLiteral("Reprint"), result.message);
    else if (result.status == PrintResult::Status::Failed)
        dialogs.showMessage(parent, QMessageBox::Critical, QStringLiteral("Printing failed"), result.message);
    else if (!note.isEmpty() && result.jobsSent > 0)
        dialogs.showMessage(parent, QMessageBox::Information, QStringLiteral("Reprint"), note);
}

void previewEntry(const JournalPlace& place, const journal::JournalEntry& entry)
{
    PrintResult printed;
    if (const auto where = mainwindow::previewLabel(place.window, place.dialogs,
                                                    journal::printRequestFor(entry), printed))
        record(place, entry, *where, printed);
}

}  // namespace tagwright::journalview
