#pragma once

#include <QString>

#include <libpq-fe.h>

namespace tagwright::store {

// The few functions of PostgreSQL's client library the store calls itself. The library is
// loaded the first time a DataPath names a server: most runs use files only, and loading it
// with the twenty libraries it needs would cost every start of the programs milliseconds.
struct ClientLibrary {
    PQconninfoOption* (*conninfoParse)(const char* conninfo, char** errmsg) = nullptr;
    void (*conninfoFree)(PQconninfoOption* options) = nullptr;
    void (*freemem)(void* pointer) = nullptr;
    int (*socket)(const PGconn* connection) = nullptr;
};

// The library, loaded on first use; null when it cannot be loaded, with the reason in
// `error`.
const ClientLibrary* clientLibrary(QString& error);

}  // namespace tagwright::store
