#pragma once

#include "journal/JournalEntry.h"
#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

#include <QString>

#include <optional>

class QTextStream;

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
    QString setupPath;          // the shop whose journal records the label
    journal::PrintFacts facts;  // the template, its logo file, the entry a reprint repeats
    // The shop's main database when the command has it open for writing; else the journal
    // opens it.
    store::Database* database = nullptr;
};

// The label's jobs on `surface`, on its stock: for a trace, which is no print.
printing::PrintResult composeLabel(printing::PrinterSurface& surface,
                                   const printing::PrintRequest& input);

// A header value too long for its place even condensed is printed all the same (as the
// window's "Print anyway"), and named in one line on stderr.
void warnOfOverlongValues(QTextStream& err, const printing::PrintResult& result);

// Prints `input` into the PDF file and/or onto the printer through the print pipeline, which
// journals each label that leaves the program. Returns the exit code; a complaint is one
// line on stderr, as is a label that gives a known aircraft another make or serial (it
// prints as given).
int sendLabel(const Invocation& invocation, const printing::PrintRequest& input,
              const LabelOutput& output);

}  // namespace tagwright::cli
