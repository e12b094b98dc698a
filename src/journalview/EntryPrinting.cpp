#include "EntryPrinting.h"

#include "journal/PrintInput.h"
#include "mainwindow/LabelSource.h"
#include "mainwindow/PrintPreview.h"

#include <QApplication>

namespace tagwright::journalview {

namespace {

// Prints the entry's request again through the window's pipeline, journaled as a reprint of it.
printjob::PrintOutcome printAgain(const JournalPlace& place, const journal::JournalEntry& entry,
                                  const printing::PrintRequest& request)
{
    journal::PrintFacts facts = entry.facts;
    facts.repeats = entry.number;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printjob::PrintOutcome outcome =
        place.printing.pipeline().print(request, facts, place.printing.printOutput());
    QApplication::restoreOverrideCursor();
    return outcome;
}

}  // namespace

void reprintEntry(const JournalPlace& place, QWidget* parent, const journal::JournalEntry& entry)
{
    const printjob::PrintOutcome outcome = printAgain(place, entry, journal::printRequestFor(entry));
    mainwindow::reportPrint(place.dialogs, parent, QStringLiteral("Reprint"), outcome);
}

void previewEntry(const JournalPlace& place, const journal::JournalEntry& entry)
{
    const printing::PrintRequest request = journal::printRequestFor(entry);
    if (!mainwindow::previewAsksToPrint(*place.window, place.dialogs, request))
        return;
    mainwindow::reportPrint(place.dialogs, place.window, QStringLiteral("Print Preview"),
                            printAgain(place, entry, request));
}

}  // namespace tagwright::journalview
