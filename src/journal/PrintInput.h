#pragma once

#include "JournalEntry.h"

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

// The one place that knows the print jobs' input: a journal entry is made from it when a
// label leaves the program, and a reprint makes it again from the entry.
namespace tagwright::journal {

// The entry for a job printed from `request`, before it is stamped, sent or numbered: the
// request as the job printed it (whole labels of the copies, one on tractor feed), without
// the logo's pixels; its logo file only when a logo printed.
JournalEntry entryFor(const printing::PrintRequest& request, const PrintFacts& facts);

// The request that prints `entry` as it printed then (the logo read again from its file).
printing::PrintRequest printRequestFor(const JournalEntry& entry);

// Whether a job's outcome means a label left the program: something was sent, or a printer
// failed part way. A refused job and copies reading none leave nothing to record.
bool leftTheProgram(const printing::PrintResult& result);

// "Printed", or the reason it failed.
QString resultText(const printing::PrintResult& result);

}  // namespace tagwright::journal
