#include "Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace tagwright::store {

namespace {

const QStringList JournalSuffixes = {QStringLiteral("-journal"), QStringLiteral("-wal"),
                                     QStringLiteral("-shm")};

// A rollback journal with content, or a write-ahead log: SQLite finds a change in it to
// undo or to finish when the file is next opened.
bool hasJournal(const QString& path)
{
    return QFileInfo(path + QStringLiteral("-journal")).size() > 0
        || QFileInfo(path + QStringLiteral("-wal")).size() > 0;
}

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

StoreError Database::rollBackHotJournal(const QString& path)
{
    if (StoreError error = openConnection(path, Access::ReadWrite); !error.ok()) {
        return {CannotOpenFile,
                QStringLiteral("The database was left half-written by a program that stopped "
                               "(its journal file %1 is still there), and it cannot be repaired "
                               "from here: %2 Open it once with a program that may write to the "
                               "folder, or make the folder writable, to undo the unfinished change.")
                    .arg(QFileInfo(path).fileName() + QStringLiteral("-journal"), error.message),
                m_path};
    }
    close();
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
    if (access == Access::ReadOnly && hasJournal(path)) {
        if (StoreError error = rollBackHotJournal(path); !error.ok())
            return error;
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

StoreError Database::create(const QString& path, const QStringList& schemaStatements,
                            const std::function<StoreError(Database&)>& fill)
{
    if (QFileInfo::exists(path)) {
        return {CannotOpenFile, QStringLiteral("The database file already exists."),
                QFileInfo(path).absoluteFilePath()};
    }
    // A fixed name: whatever an earlier, interrupted creation left under it is replaced.
    const QString building = path + QStringLiteral(".new");
    removeFiles(building);
    if (StoreError error = openConnection(building, Access::ReadWrite); !error.ok())
        return error;
    const auto abandon = [&](StoreError error) {
        close();
        removeFiles(building);
        error.path = QFileInfo(path).absoluteFilePath();
        return error;
    };
    m_db.transaction();
    QSqlQuery query(m_db);
    for (const QString& statement : schemaStatements) {
        if (!query.exec(statement)) {
            StoreError error{EngineFailure, query.lastError().text(), m_path};
            m_db.rollback();
            return abandon(error);
        }
    }
    if (!m_db.commit())
        return abandon(engineError(QStringLiteral("Cannot create the database.")));
    if (fill) {
        if (StoreError error = fill(*this); !error.ok())
            return abandon(error);
    }
    close();
    if (!QFile::rename(building, path)) {
        return abandon({CannotOpenFile,
                        QStringLiteral("The new database could not be put in place."), path});
    }
    return openConnection(path, Access::ReadWrite);
}

bool Database::isUnfinishedCreation(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    if (info.size() == 0)
        return true;
    Database probe;
    if (!probe.openConnection(path, Access::ReadWrite).ok())
        return false;
    QSqlQuery query(probe.m_db);
    return query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && query.next()
        && query.value(0).toInt() == 0;
}

bool Database::removeFiles(const QString& path)
{
    bool removed = !QFileInfo::exists(path) || QFile::remove(path);
    for (const QString& suffix : JournalSuffixes) {
        if (QFileInfo::exists(path + suffix))
            removed = QFile::remove(path + suffix) && removed;
    }
    return removed;
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
