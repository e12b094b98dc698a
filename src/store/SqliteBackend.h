#pragma once

#include "Schema.h"
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

    // Gives each of `tables` a lasting record identity and a version, in one transaction,
    // keeping every record, its order and its row number. A file written before records
    // had them still opens without this (read-only, say): its records are then named by
    // row number and writes are not checked against other connections' changes.
    // In the same transaction, the tables of `layout` the file lacks are created (with
    // their indexes): a file from before the journal gets its tables on the first open.
    StoreError upgrade(const QStringList& tables, const QVector<schema::TableLayout>& layout = {});

    bool hasTable(const QString& table) override;
    // How many tables the file holds; -1 when the catalogue cannot be read.
    int tableCount();
    // The fields of `table`, in their order.
    QStringList fieldNames(const QString& table);

private:
    QString tableDefinition(const QString& table);

protected:
    Columns findColumns(const QString& table) override;
    QString equalsIgnoringCase(const QString& quotedField) const override;
    QString likeIgnoringCase(const QString& quotedField) const override;
    QString registrationKey(const QString& quotedField) const override;
    int classify(const QSqlError& error) const override;
};

}  // namespace tagwright::store
