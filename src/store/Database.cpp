#include "Database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace tagwright::store {

namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("tagwright-%1").arg(++counter);
}

}  // namespace

Database::~Database()
{
    close();
}

void Database::close()
{
    if (m_connectionName.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

StoreError Database::openConnection(const QString& path, Access access)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    m_connectionName = nextConnectionName();
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(m_path);
    // A shop database may sit in a shared folder: wait a little for another writer's lock.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000");
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    m_db.setConnectOptions(options);
    if (!m_db.open())
        return engineError(QStringLiteral("Cannot open the database."), CannotOpenFile);
    // SQLite opens lazily; reading the catalogue tells a database from any other file.
    QSqlQuery probe(m_db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        StoreError error{CannotOpenFile, probe.lastError().databaseText(), m_path};
        if (error.message.isEmpty())
            error.message = probe.lastError().text();
        close();
        return error;
    }
    return {};
}

StoreError Database::open(const QString& path, const QStringList& requiredTables,
                          Access access)
{
    if (!QFileInfo(path).isFile()) {
        return {CannotOpenFile,
                QStringLiteral("Could not find the database file."),
                QFileInfo(path).absoluteFilePath()};
    }
    if (StoreError error = openConnection(path, access); !error.ok())
        return error;
    for (const QString& table : requiredTables) {
        if (!hasTable(table)) {
            StoreError error{TableMissing,
                             QStringLiteral("The database has no table \"%1\".").arg(table),
                             m_path};
            close();
            return error;
        }
    }
    return {};
}

StoreError Database::create(const QString& path, const QStringList& schemaStatements)
{
    if (QFileInfo::exists(path)) {
        return {CannotOpenFile, QStringLiteral("The database file already exists."),
                QFileInfo(path).absoluteFilePath()};
    }
    if (StoreError error = openConnection(path, Access::ReadWrite); !error.ok())
        return error;
    m_db.transaction();
    QSqlQuery query(m_db);
    for (const QString& statement : schemaStatements) {
        if (!query.exec(statement)) {
            StoreError error{EngineFailure, query.lastError().text(), m_path};
            m_db.rollback();
            close();
            return error;
        }
    }
    if (!m_db.commit()) {
        StoreError error = engineError(QStringLiteral("Cannot create the database."));
        close();
        return error;
    }
    return {};
}

bool Database::hasTable(const QString& table)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

StoreError Database::engineError(const QString& context, int number) const
{
    const QSqlError error = m_db.lastError();
    QString message = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (message.trimmed().isEmpty())
        message = context;
    return {number, message, m_path};
}

}  // namespace tagwright::store
