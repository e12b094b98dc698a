#pragma once

#include "SqlStoreBackend.h"

#include <QStringList>

namespace tagwright::store {

// A database file through SQLite.
class SqliteBackend : public SqlStoreBackend {
public:
    enum class Access { ReadWrite, ReadOnly };

    explicit SqliteBackend(const QString& path);

    // Opens the file (which must exist) and reads its catalogue, which tells a database from
    // any other file.
    StoreError open(Access access);
    // Runs `statements` in one transaction.
    StoreError execute(const QStringList& statements);

    bool hasTable(const QString& table) override;

protected:
    Columns findColumns(const QString& table) override;
    QString equalsIgnoringCase(const QString& quotedField) const override;
    int classify(const QSqlError& error) const override;
};

}  // namespace tagwright::store
