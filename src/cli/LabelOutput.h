#pragma once

#include "journal/JournalEntry.h"
#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

#include <QString>

class QTextStream;

#include <optional>

namespace tagwright::printing {
class PrinterSurface;
}

namespace tagwright::store {
class Database;
}

namespace tagwright::cli {

struct Invocation;

// Where `print` and `reprint` send a label, and what to journal it as.
struct LabelOutput {
    std::optional<QString> pdf;
    std::optional<QString> printer;
    QString setupPath;             // the shop whose journal records the label
    journal::JournalEntry entry;   // the label as the journal keeps it
    // The shop's main database when the command has it open for writing; else the journal
    // opens it.
    store::Database* database = nullptr;
};

// The label's jobs on `surface`, on laser sheets or tractor feed.
printing::PrintResult composeLabel(printing::PrinterSurface& surface,
                                   const printing::PrintRequest& input, bool tractor);

// A header value too long for its place even condensed is printed all the same (as the
// window's "Print anyway"), and named in one line on stderr.
void warnOfOverlongValues(QTextStream& err, const printing::PrintResult& result);

// Prints `input` into the PDF file and/or onto the printer and journals each label that
// leaves the program. Returns the exit code; a complaint is one line on stderr.
int sendLabel(const Invocation& invocation, const printing::PrintRequest& input, bool tractor,
              const LabelOutput& output);

}  // namespace tagwright::cli
