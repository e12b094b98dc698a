#pragma once

#include <QString>

namespace tagwright::store {

// Error numbers the rest of the program reacts to. They keep the numbering that shops
// know from the label program's messages ("Error 3022" in a title box).
enum ErrorNumber : int {
    NoError = 0,
    UpdateWithoutEdit = 3020,   // update or set-value with no add-new or edit pending
    NoCurrentRecord = 3021,     // edit, delete or field read with no current record
    DuplicateKey = 3022,        // a second "Labels" record with an equal Description
    CannotOpenFile = 3024,      // database file missing or not a database
    TableMissing = 3078,        // a required table is not in the file
    EngineFailure = 3197,       // any other failure reported by the engine
    DeletedMeanwhile = 3167,    // the record written or deleted was deleted elsewhere
    ChangedMeanwhile = 3260,    // the record written or deleted was changed elsewhere
    ServerUnavailable = 3151,   // the database server cannot be reached or refused the login
    TargetNotEmpty = 3046,      // a copy would replace records the target already holds
    Locked = 3218,              // another program holds the file's write lock past the wait
};

// A failed store operation: its number, the engine's own message and the file concerned.
struct [[nodiscard]] StoreError {
    int number = NoError;
    QString message;
    QString path;

    bool ok() const { return number == NoError; }
    // One line for a message box: the engine's words and the file's full path.
    QString describe() const;
};

}  // namespace tagwright::store
