#pragma once

#include "StoreError.h"

#include <QString>

namespace tagwright::store {

class Database;

struct CopyCount {
    int templates = 0;
    int signatories = 0;
    int settings = 0;
    int entries = 0;    // the journal's
    int aircraft = 0;
};

// Copies the main database's three tables, the shop's statements, then the journal with the
// aircraft learned from it, from `from` into `to` record by record, in store order, in one transaction on `to`:
// either everything arrives or nothing does. Journal entries are numbered anew on `to`; a
// reprint's reference and an aircraft's last entry follow their entries. A target that
// already holds templates is refused (TargetNotEmpty) unless `replace` is set, which first
// removes what the target's tables hold. A source without a journal (an older file opened
// only to read) copies none.
StoreError copyMainDatabase(Database& from, Database& to, bool replace, CopyCount& count);

}  // namespace tagwright::store
