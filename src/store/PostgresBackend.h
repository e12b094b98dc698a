#pragma once

#include "Schema.h"
#include "ServerAddress.h"
#include "SqlStoreBackend.h"

namespace tagwright::store {

// A database on a PostgreSQL server, shared by several workstations. Records keep a
// sequence-given identity and a version, so one workstation's write never lands on a
// record another has changed or deleted since it was read; titles are unique in any letter
// case through an index on their lower-case form, which also settles two saves at the same
// moment. A lost connection (server restart, network) is reported and opened again by the
// next operation.
class PostgresBackend : public SqlStoreBackend {
public:
    explicit PostgresBackend(ServerAddress address);

    // Connects; with `layout` given, creates the tables the database does not hold yet.
    StoreError open(const QVector<schema::TableLayout>& layout = {});

    bool hasTable(const QString& table) override;

    // CREATE statements for an empty database.
    static QStringList createStatements(const QVector<schema::TableLayout>& layout);

protected:
    Columns findColumns(const QString& table) override;
    QString equalsIgnoringCase(const QString& quotedField) const override;
    QString likeIgnoringCase(const QString& quotedField) const override;
    int classify(const QSqlError& error) const override;
    QVariant bindable(const QVariant& value) const override;
    StoreError ready() override;
    StoreError failed(const QSqlError& error) override;

private:
    StoreError connect();
    StoreError createMissingTables(const QVector<schema::TableLayout>& layout);

    ServerAddress m_address;
    bool m_lost = false;
};

}  // namespace tagwright::store
