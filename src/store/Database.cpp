#include "Database.h"

#include "PostgresBackend.h"
#include "Schema.h"
#include "ServerAddress.h"
#include "SqliteBackend.h"

#include <QFileInfo>

namespace tagwright::store {

Database::Database() = default;

Database::~Database()
{
    close();
}

void Database::close()
{
    m_backend.reset();
}

StoreError Database::open(const QString& path, const QStringList& requiredTables,
                          Access access)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo(path).isFile())
        return {CannotOpenFile, QStringLiteral("Could not find the database file."), m_path};
    auto sqlite = std::make_unique<SqliteBackend>(m_path);
    const auto mode = access == Access::ReadOnly ? SqliteBackend::Access::ReadOnly
                                                 : SqliteBackend::Access::ReadWrite;
    if (StoreError error = sqlite->open(mode); !error.ok())
        return error;
    if (StoreError error = checkTablesOf(*sqlite, requiredTables); !error.ok())
        return error;
    // A file that cannot be upgraded now (read-only, locked) still opens as it is.
    if (access == Access::ReadWrite)
        sqlite->upgrade(requiredTables);
    m_backend = std::move(sqlite);
    return {};
}

StoreError Database::openServer(const QString& dataPath, const QStringList& requiredTables,
                                bool createTables)
{
    close();
    ServerAddress address;
    const StoreError parsed = parseServerAddress(dataPath, address);
    m_path = address.display;
    if (!parsed.ok())
        return parsed;
    auto server = std::make_unique<PostgresBackend>(address);
    if (StoreError error = server->open(createTables ? schema::mainLayout()
                                                     : QVector<schema::TableLayout>());
        !error.ok())
        return error;
    if (StoreError error = checkTablesOf(*server, requiredTables); !error.ok())
        return error;
    m_backend = std::move(server);
    return {};
}

StoreError Database::openMain(const QString& dataPath, Access access)
{
    if (isServerAddress(dataPath))
        return openServer(dataPath, schema::mainTables(), access == Access::ReadWrite);
    return open(schema::mainDatabasePath(dataPath), schema::mainTables(), access);
}

StoreError Database::create(const QString& path, const QStringList& schemaStatements)
{
    close();
    m_path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path))
        return {CannotOpenFile, QStringLiteral("The database file already exists."), m_path};
    auto sqlite = std::make_unique<SqliteBackend>(m_path);
    if (StoreError error = sqlite->open(SqliteBackend::Access::ReadWrite); !error.ok())
        return error;
    if (StoreError error = sqlite->execute(schemaStatements); !error.ok())
        return error;
    m_backend = std::move(sqlite);
    return {};
}

StoreError Database::checkTablesOf(StoreBackend& backend, const QStringList& requiredTables)
{
    for (const QString& table : requiredTables) {
        if (!backend.hasTable(table))
            return {TableMissing, QStringLiteral("The database has no table \"%1\".").arg(table),
                    backend.location()};
    }
    return {};
}

bool Database::hasTable(const QString& table)
{
    return m_backend && m_backend->hasTable(table);
}

}  // namespace tagwright::store
