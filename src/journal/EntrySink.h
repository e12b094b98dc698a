#pragma once

#include "JournalEntry.h"

#include "store/StoreError.h"

namespace tagwright::journal {

// Where a print's journal entry is handed: it is stamped with the time, workstation and user
// when handed over, so the journal's times are the prints' times.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    // Records `entry`; an error when it could not be (a writer that writes later tells its
    // failures its own way and answers no error here).
    virtual store::StoreError record(JournalEntry entry) = 0;
};

// Stamps `entry` with the time, workstation and user it was handed over with.
void stampHandedOver(JournalEntry& entry);

}  // namespace tagwright::journal
