#pragma once

#include "JournalEntry.h"

#include "store/StoreError.h"

namespace tagwright::journal {

// Where a print's journal entry goes. An entry is begun before its label is placed or sent
// and settled with how the label ended; it is stamped with the time, workstation and user
// when begun, so the journal's times are the prints' times.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    // Begins `entry` (with where its label goes) as "Printing" and sets its number where
    // the entry is written now; an error means the label must not leave.
    virtual store::StoreError begin(JournalEntry& entry) = 0;
    // How the label of `entry`, as begun, ended: "Printed", or "Failed: " and why.
    virtual store::StoreError settle(const JournalEntry& entry, const QString& result) = 0;
};

// Stamps `entry` with the time, workstation and user it is begun with.
void stampBegun(JournalEntry& entry);

}  // namespace tagwright::journal
