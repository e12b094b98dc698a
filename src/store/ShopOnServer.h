#pragma once

#include "ShareCopy.h"
#include "StoreError.h"

#include <QString>

namespace tagwright::store {

class Database;

// How many templates, signatories, settings records and journal entries a main database
// holds.
StoreError countShop(Database& main, CopyCount& count);
inline bool holdsAShop(const CopyCount& count)
{
    return count.templates + count.signatories + count.settings > 0;
}

// Opens the setup database at `path`, creating it (and its folder) when it is not there yet
// or is an empty file an interrupted first start left behind.
StoreError openSetupFile(Database& setup, const QString& path);

// Makes the setup record's DataPath `dataPath`, adding the record when the table is empty.
StoreError writeDataPath(Database& setup, const QString& dataPath);

// Another workstation joining a shop on a database server: checks that the server holds a
// Tagwright shop (its tables, with records in them) and points the setup database at `setupPath`
// to it. A server without one is refused (TableMissing), since it is `share` that moves a
// shop there; `found` counts what the shop holds.
StoreError joinShop(const QString& setupPath, const QString& dataPath, CopyCount& found);

}  // namespace tagwright::store
