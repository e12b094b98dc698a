#pragma once

#include "JournalEntry.h"

#include "store/StoreError.h"

namespace tagwright::journal {

// Where a print's journal entry goes. An entry is written before its label is placed or
// sent, stamped then with the time, workstation and user (so the journal's times are the
// prints' times), and settled with how the label ended when that is not what it says.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    // Writes `entry` (with where its label goes) with the result it carries: "Printing" for
    // a label about to be sent, or how it ended for a file only waiting to be put in place.
    // Sets its number; an error means the label must not leave.
    virtual store::StoreError begin(JournalEntry& entry) = 0;
    // Rewrites how the label of `entry`, as begun, ended: "Printed", or "Failed: " and why.
    virtual store::StoreError settle(const JournalEntry& entry, const QString& result) = 0;
};

// Stamps `entry` with the time, workstation and user it is begun with.
void stampBegun(JournalEntry& entry);

}  // namespace tagwright::journal
