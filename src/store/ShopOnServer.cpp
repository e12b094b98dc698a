#include "ShopOnServer.h"

#include "Database.h"
#include "Schema.h"
#include "ServerAddress.h"
#include "TableCursor.h"

#include "files/FilePlacement.h"

#include <QDir>
#include <QFileInfo>

namespace tagwright::store {

StoreError countShop(Database& main, CopyCount& count)
{
    count = CopyCount();
    const std::pair<QString, int*> tables[] = {
        {schema::LabelsTable, &count.templates},
        {schema::MechanicsTable, &count.signatories},
        {schema::CompanyInfoTable, &count.settings},
    };
    for (const auto& [table, counted] : tables) {
        QVector<qint64> ids;
        if (StoreError error = main.backend().recordIds(table, ids); !error.ok())
            return error;
        *counted = int(ids.size());
    }
    bool journal = false;
    if (StoreError error = main.backend().findTable(schema::JournalTable, journal); !error.ok() || !journal)
        return error;
    qint64 entries = 0;
    if (StoreError error = main.backend().count(schema::JournalTable, {}, entries); !error.ok())
        return error;
    count.entries = int(entries);
    return {};
}

StoreError openSetupFile(Database& setup, const QString& path)
{
    files::removeLeftovers(path);
    if (Database::isUnfinishedCreation(path))
        Database::removeFiles(path);
    if (QFileInfo::exists(path))
        return setup.open(path, schema::setupTables());
    // The per-user data folder does not exist before an installed program's first run.
    QDir().mkpath(QFileInfo(path).absolutePath());
    return setup.create(path, schema::setupStatements());
}

StoreError writeDataPath(Database& setup, const QString& dataPath)
{
    // The engine would write through a link planted at the setup file's name.
    if (const QString refusal = files::linkRefusal(setup.path()); !refusal.isEmpty())
        return {CannotOpenFile, refusal, setup.path()};
    TableCursor record;
    StoreError error = record.open(setup, schema::SetupTable);
    if (error.ok())
        error = record.hasCurrent() ? record.edit() : record.addNew();
    if (error.ok())
        error = record.setValue(schema::setup::DataPath, dataPath);
    if (error.ok())
        error = record.update();
    return error;
}

StoreError joinShop(const QString& setupPath, const QString& dataPath, CopyCount& found)
{
    found = CopyCount();
    if (!isServerAddress(dataPath)) {
        return {CannotOpenFile,
                QStringLiteral("\"%1\" does not name a database server (postgresql://host/dbname).")
                    .arg(dataPath),
                QString()};
    }
    Database server;
    StoreError error = server.openServer(dataPath, schema::mainTables(), false);
    if (error.number == TableMissing || (error.ok() && (error = countShop(server, found)).ok()
                                         && !holdsAShop(found))) {
        return {TableMissing,
                QStringLiteral("The database holds no Tagwright shop yet. Move the shop there "
                               "first, from the workstation that holds it: tagwright-cli share "
                               "--to URI."),
                server.path()};
    }
    if (!error.ok())
        return error;
    Database setup;
    if (error = openSetupFile(setup, setupPath); !error.ok())
        return error;
    return writeDataPath(setup, dataPath);
}

}  // namespace tagwright::store
