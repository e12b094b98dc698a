#include "Database.h"

#include "files/FilePlacement.h"
#include "Schema.h"
#include "ServerAddress.h"
#include "ServerBackend.h"
#include "SqliteBackend.h"

#include <QFile>
#include <QFileInfo>

namespace tagwright::store {

namespace {

const QStringList JournalSuffixes = {QStringLiteral("-journal"), QStringLiteral("-wal"),
                                     QStringLiteral("-shm")};

// A rollback journal with content, or a write-ahead log: SQLite finds a change in it to
// undo or to finish when the file is next opened.
// The name of that journal file, or empty.
QString pendingJournal(const QString& path)
{
    for (const QString& suffix : {QStringLiteral("-journal"), QStringLiteral("-wal")}) {
        if (QFileInfo(path + suffix).size() > 0)
            return QFileInfo(path).fileName() + suffix;
    }
    return {};
}

// Every field of the shop's tables is read by someone: a table without one would print
// labels without their body, or without a title, as if nothing were wrong.
StoreError checkFieldsOf(SqliteBackend& sqlite, const QStringList& requiredTables)
{
    for (const auto& layout : {schema::setupLayout(), schema::mainLayout()}) {
        for (const schema::TableLayout& table : layout) {
            if (!requiredTables.contains(table.name, Qt::CaseInsensitive))
                continue;
            const QStringList present = sqlite.fieldNames(table.name);
            for (const schema::Column& column : table.columns) {
                if (!column.addedLater && !present.contains(column.name, Qt::CaseInsensitive)) {
                    return {TableMissing,
                            QStringLiteral("The table \"%1\" has no field \"%2\": this is no shop "
                                           "database Tagwright or the earlier program made.")
                                .arg(table.name, column.name),
                            sqlite.location()};
                }
            }
        }
    }
    return {};
}

}  // namespace

Database::Database() = default;

Database::~Database()
{
    close();
}

void Database::close()
{
    m_backend.reset();
    m_openAgain = {};
}

StoreError Database::rollBackHotJournal(const QString& path)
{
    // Reading the catalogue on a connection that may write rolls the journal back.
    SqliteBackend repair(QFileInfo(path).absoluteFilePath());
    if (StoreError error = repair.open(SqliteBackend::Access::ReadWrite); !error.ok()) {
        return {CannotOpenFile,
                QStringLiteral("The database was left half-written by a program that stopped "
                               "(its journal file %1 is still there), and it cannot be repaired "
                               "from here: %2 Open it once with a program that may write to the "
                               "folder, or make the folder writable, to undo the unfinished change.")
                    .arg(pendingJournal(path), error.message),
                QFileInfo(path).absoluteFilePath()};
    }
    return {};
}

StoreError Database::open(const QString& path, const QStringList& requiredTables,
                          Access access)
{
    return openFile(path, requiredTables, access, false);
}

StoreError Database::openFile(const QString& path, const QStringList& requiredTables,
                              Access access, bool addMissingTables)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    if (const QString refusal = files::databaseLinkRefusal(m_path); !refusal.isEmpty())
        return {CannotOpenFile, refusal, m_path};
    if (!QFileInfo(path).isFile())
        return {CannotOpenFile, QStringLiteral("Could not find the database file."), m_path};
    if (access == Access::ReadOnly && !pendingJournal(path).isEmpty()) {
        if (StoreError error = rollBackHotJournal(path); !error.ok())
            return error;
    }
    auto sqlite = std::make_unique<SqliteBackend>(m_path);
    const auto mode = access == Access::ReadOnly ? SqliteBackend::Access::ReadOnly
                                                 : SqliteBackend::Access::ReadWrite;
    if (StoreError error = sqlite->open(mode); !error.ok())
        return error;
    if (StoreError error = checkTablesOf(*sqlite, requiredTables); !error.ok())
        return error;
    if (StoreError error = checkFieldsOf(*sqlite, requiredTables); !error.ok())
        return error;
    // A file that cannot be upgraded now (read-only, locked) still opens as it is.
    if (access == Access::ReadWrite)
        static_cast<void>(sqlite->upgrade(requiredTables, addMissingTables ? schema::mainLayout()
                                                         : QVector<schema::TableLayout>()));
    m_backend = std::move(sqlite);
    m_openAgain = [path = m_path, requiredTables, access](Database& again) {
        return again.openFile(path, requiredTables, access, false);
    };
    return {};
}

StoreError Database::openServer(const QString& dataPath, const QStringList& requiredTables,
                                bool createTables, int answerLimit)
{
    close();
    ServerAddress address;
    const StoreError parsed = parseServerAddress(dataPath, address);
    m_path = address.display;
    if (!parsed.ok())
        return parsed;
    auto server = std::make_unique<ServerBackend>(address, answerLimit > 0 ? answerLimit : ServerBackend::AnswerLimit);
    if (StoreError error = server->open(createTables ? schema::mainLayout()
                                                     : QVector<schema::TableLayout>());
        !error.ok())
        return error;
    if (StoreError error = checkTablesOf(*server, requiredTables); !error.ok())
        return error;
    m_backend = std::move(server);
    m_openAgain = [dataPath, requiredTables, answerLimit](Database& again) {
        return again.openServer(dataPath, requiredTables, false, answerLimit);
    };
    return {};
}

StoreError Database::openMain(const QString& dataPath, Access access)
{
    if (isServerAddress(dataPath))
        return openServer(dataPath, schema::mainTables(), access == Access::ReadWrite);
    return openFile(schema::mainDatabasePath(dataPath), schema::mainTables(), access, true);
}

StoreError Database::create(const QString& path, const QStringList& schemaStatements,
                            const std::function<StoreError(Database&)>& fill)
{
    close();
    const QString finalPath = QFileInfo(path).absoluteFilePath();
    m_path = finalPath;
    // A dangling link is no file to QFileInfo, yet SQLite would create its target.
    if (const QString refusal = files::linkRefusal(finalPath); !refusal.isEmpty())
        return {CannotOpenFile, refusal, finalPath};
    if (QFileInfo::exists(finalPath))
        return {CannotOpenFile, QStringLiteral("The database file already exists."), finalPath};
    files::removeLeftovers(finalPath);
    files::NewFile building(finalPath);
    if (!building.isOpen()) {
        return {CannotOpenFile,
                QStringLiteral("%1 Start Tagwright from a folder you may write to, or make this "
                               "one writable.").arg(building.errorString()),
                finalPath};
    }
    StoreError built = build(building, schemaStatements, fill);
    m_path = finalPath;
    if (!built.ok()) {
        built.path = finalPath;
        return built;
    }
    if (!building.placeNew())
        return {CannotOpenFile, building.errorString(), finalPath};
    auto placed = std::make_unique<SqliteBackend>(finalPath);
    if (StoreError error = placed->open(SqliteBackend::Access::ReadWrite); !error.ok())
        return error;
    m_backend = std::move(placed);
    m_openAgain = [finalPath](Database& again) {
        return again.openFile(finalPath, {}, Access::ReadWrite, false);
    };
    return {};
}

StoreError Database::build(files::NewFile& file, const QStringList& schemaStatements,
                           const std::function<StoreError(Database&)>& fill)
{
    close();
    const auto abandon = [&](const StoreError& error) {
        close();
        return error;
    };
    m_path = file.path();
    auto sqlite = std::make_unique<SqliteBackend>(file.path());
    if (StoreError error = sqlite->open(SqliteBackend::Access::ReadWrite); !error.ok())
        return abandon(error);
    if (StoreError error = sqlite->execute(schemaStatements); !error.ok())
        return abandon(error);
    m_backend = std::move(sqlite);
    if (fill) {
        if (StoreError error = fill(*this); !error.ok())
            return abandon(error);
    }
    close();
    if (!file.flush())
        return {CannotOpenFile, file.errorString(), file.target()};
    return {};
}

bool Database::isUnfinishedCreation(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    if (info.size() == 0)
        return true;
    SqliteBackend probe(info.absoluteFilePath());
    return probe.open(SqliteBackend::Access::ReadWrite).ok() && probe.tableCount() == 0;
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

StoreError Database::checkTablesOf(StoreBackend& backend, const QStringList& requiredTables)
{
    for (const QString& table : requiredTables) {
        bool found = false;
        if (StoreError error = backend.findTable(table, found); !error.ok())
            return error;
        if (!found)
            return {TableMissing, QStringLiteral("The database has no table \"%1\".").arg(table),
                    backend.location()};
    }
    return {};
}

bool Database::hasTable(const QString& table)
{
    return m_backend && m_backend->hasTable(table);
}

StoreError Database::findTable(const QString& table, bool& found)
{
    found = false;
    if (!m_backend)
        return {CannotOpenFile, QStringLiteral("The database is not open."), m_path};
    return m_backend->findTable(table, found);
}

}  // namespace tagwright::store
