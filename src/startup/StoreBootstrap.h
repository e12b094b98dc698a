#pragma once

#include "store/Result.h"
#include "store/StoreError.h"

#include <QString>

namespace tagwright::store {
class Database;
}

namespace tagwright::startup {

// Opens the setup database "SetupTGW.MDB" in `setupFolder`, creating it (and the folder)
// with its table on the first run.
store::StoreError openSetupDatabase(store::Database& setup, const QString& setupFolder);

// Makes sure the "Setup" table has its record and that the record names the main
// database's folder: a missing or empty DataPath becomes `defaultFolder`. A DataPath that is
// present is kept as it is, right or wrong. Returns the DataPath in force.
store::Result<QString> ensureSetupRecord(store::Database& setup, const QString& defaultFolder);

// Opens "QUILLON.MDB" in `dataPath`, or the database server `dataPath` names. A missing file is created, with example templates, only
// when `dataPath` is `defaultFolder`: a shop whose network folder is not mounted must get an
// error, never a silent empty database. Both openers make afresh an empty or table-less
// file that a first start stopped halfway left behind.
store::StoreError openMainDatabase(store::Database& main, const QString& dataPath,
                                   const QString& defaultFolder);

}  // namespace tagwright::startup
