#pragma once

#include "LabelOutput.h"

#include "journal/JournalEntry.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"
#include "store/StoreError.h"

namespace tagwright::journal {
class EntrySink;
}

namespace tagwright::printjob {

// How a print command ended: the one result every print path reports.
struct [[nodiscard]] PrintOutcome {
    enum class Status {
        Printed,    // the labels left the program
        Nothing,    // the copies read no number above 0: no page, nothing sent
        Cancelled,  // the user chose nowhere to print: nothing is said
        Refused,    // refused before anything was printed; `message` says why
        Failed,     // no output, a job abandoned, or labels that could not be put in place
    };

    Status status = Status::Printed;
    QString message;      // why it was refused or failed
    QString note;         // for the user, from the output (where a PDF went)
    QString destination;  // where the labels went, as the journal names it
    printing::PrintResult job;
    // The journal entry could not be written (a writer that writes later tells its own).
    store::StoreError journalError;
};

// The one way a label leaves the program, for the window's Print, Export PDF, Print from the
// preview, a reprint and tagwright-cli: the request (stock inside) is composed by one label
// printer onto the output's surface, the output places what was written, then the print's
// journal entry (the request with its facts, where it went and how it ended) is handed to the
// journal, and one outcome says what happened.
class PrintPipeline {
public:
    explicit PrintPipeline(journal::EntrySink& journal) : m_journal(journal) {}

    // Runs between the logo's rows while a job is composed (the window repaints there).
    void setRowPause(std::function<void()> rowPause) { m_printer.setRowPause(std::move(rowPause)); }
    // True while a job is being composed: a second one is refused meanwhile.
    bool busy() const { return m_printer.busy(); }
    const printing::LabelPrinter& printer() const { return m_printer; }

    PrintOutcome print(const printing::PrintRequest& request, const journal::PrintFacts& facts,
                       LabelOutput& output);

private:
    journal::EntrySink& m_journal;
    printing::LabelPrinter m_printer;
};

}  // namespace tagwright::printjob
