#pragma once

#include "StoreError.h"

#include <QString>

#include <functional>

class QSqlRecord;

namespace tagwright::store {

class Database;

struct CopyCount {
    int templates = 0;
    int signatories = 0;
    int settings = 0;
    int entries = 0;    // the journal's
    int aircraft = 0;
    int entriesAlreadyThere = 0;   // a copy's entries the target held already
    int entriesDisagreeing = 0;    // copied labels that give an aircraft the target knows other values
};

// Whether a label, as its journal entry stores it, gives an aircraft, as the aircraft table
// stores it, another make or serial.
using LabelDisagrees = std::function<bool(const QSqlRecord& aircraft, const QSqlRecord& entry)>;

// Copies the main database's three tables and the shop's statements, then merges the journal
// with the aircraft learned from it, from `from` into `to` record by record, in store order,
// in one transaction on `to`: either everything arrives or nothing does. A target that
// already holds templates is refused (TargetNotEmpty) unless `replace` is set, which first
// removes the target's templates, signatories and settings. The source's statements replace
// the target's; a source without them (an older file opened only to read) leaves the
// target's as they are.
//
// The target's journal is never emptied: printed labels are records of work done. Its
// entries and aircraft stay; the source's entries are added after them, numbered anew (a
// reprint's reference and an aircraft's entries follow their entries), except those the
// target already holds (the same print: time, workstation, user, template, registration
// and destination), which are counted in `entriesAlreadyThere`. An aircraft the target
// knows keeps the target's values; a copied label that `disagrees` with them teaches nothing
// and is noted on the aircraft instead, as printing it there would have been. A source
// without a journal (an older file opened only to read) copies none.
StoreError copyMainDatabase(Database& from, Database& to, bool replace, CopyCount& count,
                            const LabelDisagrees& disagrees = {});

}  // namespace tagwright::store
