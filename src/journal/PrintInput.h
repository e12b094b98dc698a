#pragma once

#include "JournalEntry.h"

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"
#include "store/StoreError.h"

#include <optional>

namespace tagwright::store {
class Database;
}

// The one place that knows the print jobs' input: a journal entry is made from it when a
// label leaves the program, and a reprint makes it again from the entry.
namespace tagwright::journal {

// What a print command knows beyond the fields the job reads.
struct PrintContext {
    QString templateTitle;
    QString logoFile;
    bool tractorFeed = false;
};

// The entry for a job printed from `request`, before it is stamped, sent or numbered.
JournalEntry entryFor(const printing::PrintRequest& request, const PrintContext& context);

// The request that prints `entry` as it printed then (the logo read again from its file).
printing::PrintRequest printRequestFor(const JournalEntry& entry);

// Whether a job's outcome means a label left the program: something was sent, or a printer
// failed part way. A refused job and copies reading none leave nothing to record.
bool leftTheProgram(const printing::PrintResult& result);

// "Printed", or the reason it failed.
QString resultText(const printing::PrintResult& result);

// The entry to record for a job: `entry` (from entryFor, or a reprint's) stamped with the
// time, workstation and user, where it went and how it ended; nothing when no label left
// the program.
std::optional<JournalEntry> entryToRecord(JournalEntry entry, const QString& destination,
                                          const printing::PrintResult& result);

// The hook every print path calls once its job is done: when a label left the program,
// records `entry` (from entryFor, or a reprint's) with where it went and how it ended.
// Returns the entry's number, or -1 when there was nothing to record.
// Begins `entry` (from entryFor, or a reprint's) for a label about to be placed or sent:
// stamped, with where it goes, written as "Printing"; its number is set. Journal::settle()
// then writes how it ended.
store::StoreError beginPrint(store::Database& database, JournalEntry& entry, const QString& destination);

store::StoreError recordPrint(store::Database& database, JournalEntry entry,
                              const QString& destination, const printing::PrintResult& result,
                              qint64* number = nullptr);

}  // namespace tagwright::journal
