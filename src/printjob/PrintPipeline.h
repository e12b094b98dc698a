#pragma once

#include "LabelOutput.h"

#include "journal/JournalEntry.h"
#include "printing/LabelPrinter.h"
#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"
#include "store/StoreError.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace tagwright::journal {
class EntrySink;
}

namespace tagwright::printjob {

// How a print command ended: the one result every print path reports.
struct [[nodiscard]] PrintOutcome {
    enum class Status {
        Printed,    // the labels left the program
        Nothing,    // the copies read no number above 0: no page, nothing sent
        Cancelled,  // the user chose nowhere to print, or not to print: nothing is said
        Refused,    // refused before anything was printed; `message` says why
        Failed,     // no output, a job abandoned, labels not put in place, no journal entry
    };
    // What the journal could not do for this label.
    enum class JournalTrouble {
        None,
        NotBegun,    // its entry could not be written: the label did not leave
        NotSettled,  // the label left, but its entry still says "Printing"
    };

    Status status = Status::Printed;
    QString message;      // why it was refused or failed
    QString note;         // for the user, from the output (where a PDF went)
    QString destination;  // where the labels went, as the journal names it
    printing::PrintResult job;
    JournalTrouble journal = JournalTrouble::None;
    store::StoreError journalError;
    qint64 entry = -1;    // the journal entry's number, where the journal gave one
    // What the journal found adding the entry: the known aircraft this label gives another
    // make or serial (it prints as given; the aircraft notes it).
    std::optional<journal::Disagreement> disagreement;
    QString result;       // how the entry says the label ended
};

// The one way a label leaves the program, for the window's Print, Export PDF, Print from a
// preview, reprints and tagwright-cli. The request (stock inside) is composed by one label
// printer onto the output's surface, and the label's journal entry (the request with the
// print's facts and where it goes) is written before the label leaves: a file is written and
// checked, its entry written saying how it ended, then the file is put in place (the entry
// rewritten "Failed: " and why if it cannot be); a printer's entry is written saying
// "Printing" once a rehearsal on paper says there is something to send, and settled after
// the jobs. An entry that cannot be written keeps the label from leaving. One outcome says
// what happened.
class PrintPipeline {
public:
    // Whether to print header values too long for their places even condensed, given their
    // captions; asked before anything is printed.
    using OverlongQuestion = std::function<bool(const QStringList& captions)>;

    explicit PrintPipeline(journal::EntrySink& journal) : m_journal(journal) {}

    // Runs between the logo's rows while a job is composed (the window repaints there).
    void setRowPause(std::function<void()> rowPause) { m_printer.setRowPause(std::move(rowPause)); }
    // True while a job is being composed: a second one is refused meanwhile.
    bool busy() const { return m_printer.busy(); }
    const printing::LabelPrinter& printer() const { return m_printer; }

    PrintOutcome print(const printing::PrintRequest& request, const journal::PrintFacts& facts,
                       LabelOutput& output, const OverlongQuestion& askOverlong = {});

private:
    PrintOutcome sendWhileComposing(const printing::PrintRequest& request, journal::JournalEntry& entry,
                                    printing::PrinterSurface& surface);
    PrintOutcome composeThenPlace(const printing::PrintRequest& request, journal::JournalEntry& entry,
                                  printing::PrinterSurface& surface, LabelOutput& output);
    bool begin(journal::JournalEntry& entry, PrintOutcome& outcome);
    void settle(const journal::JournalEntry& entry, const QString& result, PrintOutcome& outcome);

    journal::EntrySink& m_journal;
    printing::LabelPrinter m_printer;
};

}  // namespace tagwright::printjob
