#include "SqliteBackend.h"


#include <QSqlError>
#include <QSqlQuery>

namespace tagwright::store {

SqliteBackend::SqliteBackend(const QString& path) : SqlStoreBackend(path) {}

StoreError SqliteBackend::open(Access access)
{
    QSqlDatabase& db = addConnection(QStringLiteral("QSQLITE"));
    db.setDatabaseName(location());
    // A shop database may sit in a shared folder: wait a little for another writer's lock.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000");
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        StoreError error = failed(db.lastError());
        error.number = CannotOpenFile;
        return error;
    }
    // SQLite opens lazily; reading the catalogue tells a database from any other file.
    QSqlQuery probe(db);
    probe.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (StoreError error = run(probe); !error.ok()) {
        error.number = CannotOpenFile;
        closeConnection();
        return error;
    }
    return {};
}

StoreError SqliteBackend::execute(const QStringList& statements)
{
    QSqlDatabase& db = connection();
    db.transaction();
    QSqlQuery query(db);
    for (const QString& statement : statements) {
        query.prepare(statement);
        if (StoreError error = run(query); !error.ok()) {
            db.rollback();
            return error;
        }
    }
    if (!db.commit()) {
        const StoreError error = failed(db.lastError());
        db.rollback();
        return error;
    }
    forgetColumns();
    return {};
}

bool SqliteBackend::hasTable(const QString& table)
{
    QSqlQuery query(connection());
    query.prepare(QStringLiteral(
        "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

SqlStoreBackend::Columns SqliteBackend::findColumns(const QString&)
{
    return {QStringLiteral("rowid"), QString()};
}

QString SqliteBackend::equalsIgnoringCase(const QString& quotedField) const
{
    return quotedField + QStringLiteral(" = ? COLLATE NOCASE");
}

int SqliteBackend::classify(const QSqlError& error) const
{
    // The driver reports a UNIQUE violation as a connection error; the code tells it apart.
    const QString code = error.nativeErrorCode();
    const bool unique = code == QLatin1String("2067") || code == QLatin1String("1555")
        || error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
    return unique ? DuplicateKey : EngineFailure;
}

}  // namespace tagwright::store
