#pragma once

#include "store/StoreError.h"

#include <QString>

class QTextStream;

namespace tagwright::store {
class Database;
}

namespace tagwright::cli {

// Opens, for writing, the main database the setup database at `setupPath` names (its
// DataPath; `dataFolder` when that is empty), as the window would.
// A setup record without DataPath is named as such when `dataFolder` holds no main database.
store::StoreError openShopDatabase(const QString& setupPath, const QString& dataFolder,
                                   store::Database& main, bool forWriting = true);

// The command line's one line for a failed store operation: the engine's words and the file.
QString storeMessage(const store::StoreError& error);

}  // namespace tagwright::cli
