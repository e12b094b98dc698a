#pragma once

#include "StoreError.h"

#include <QString>

namespace tagwright::store {

class Database;

struct CopyCount {
    int templates = 0;
    int signatories = 0;
    int settings = 0;
};

// Copies the main database's three tables from `from` into `to` record by record, in store
// order, in one transaction on `to`: either everything arrives or nothing does. A target
// that already holds templates is refused (TargetNotEmpty) unless `replace` is set, which
// first removes what the target's three tables hold.
StoreError copyMainDatabase(Database& from, Database& to, bool replace, CopyCount& count);

}  // namespace tagwright::store
