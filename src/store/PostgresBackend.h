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
// next operation. It blocks while the server works: ServerBackend runs it on a thread of its
// own, under a deadline.
class PostgresBackend : public SqlStoreBackend {
public:
    explicit PostgresBackend(ServerAddress address);
    ~PostgresBackend() override;

    // Told the connection's socket each time one is opened, and -1 before it is closed, so
    // another thread can cut off a statement the server never answers.
    void watchSocket(std::function<void(int)> watcher) { m_socketWatcher = std::move(watcher); }

    // A statement that does nothing: a connection that died since its last use (a server
    // restart) fails here, before anything that changes a record is sent.
    StoreError ping();
    // Whether a connection is open and not known to be lost: a failure then is a dropped
    // connection or the server's refusal, not a server that cannot be reached.
    bool connected() { return !m_lost && connection().isOpen(); }

    // Connects; with `layout` given, creates the tables the database does not hold yet.
    StoreError open(const QVector<schema::TableLayout>& layout = {});

    bool hasTable(const QString& table) override;
    StoreError findTable(const QString& table, bool& found) override;

    // CREATE statements for an empty database.
    static QStringList createStatements(const QVector<schema::TableLayout>& layout);

protected:
    Columns findColumns(const QString& table) override;
    QString equalsIgnoringCase(const QString& quotedField) const override;
    QString likeIgnoringCase(const QString& quotedField) const override;
    QString registrationKey(const QString& quotedField) const override;
    int classify(const QSqlError& error) const override;
    QVariant bindable(const QVariant& value) const override;
    StoreError ready() override;
    StoreError failed(const QSqlError& error) override;

private:
    StoreError connect();
    StoreError createMissingTables(const QVector<schema::TableLayout>& layout);
    // Whether every table, column and index of `layout` is there (one query per table);
    // `steps` creates what is not.
    bool missingParts(const QVector<schema::TableLayout>& layout, QStringList& steps);
    static QString indexStatement(const schema::TableLayout& table, const schema::Index& index);

    void publishSocket(int socket);

    ServerAddress m_address;
    bool m_lost = false;
    std::function<void(int)> m_socketWatcher;
};

}  // namespace tagwright::store
