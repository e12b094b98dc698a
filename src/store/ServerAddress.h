#pragma once

#include "StoreError.h"

#include <QString>

namespace tagwright::store {

// A DataPath that names a PostgreSQL database instead of a folder: a connection URI
// ("postgresql://host:port/dbname") or libpq's key=value form ("host=... dbname=...").
struct ServerAddress {
    QString conninfo;   // key=value form, as libpq takes it, with the program's time limits
    QString display;    // for messages: the address as given; never a password
    QString place;      // "postgresql://host:port/dbname": the same for two ways of writing one
};

bool isServerAddress(const QString& dataPath);

// Reads a DataPath naming a server. A password (or sslpassword, or passfile) in it is refused: DataPath sits in a plain
// file on every workstation, and libpq has its own means (~/.pgpass, PGPASSWORD, a service
// file). Limits on waiting are added unless the address sets its own, so a dead server
// costs seconds, not minutes.
StoreError parseServerAddress(const QString& dataPath, ServerAddress& address);

}  // namespace tagwright::store
