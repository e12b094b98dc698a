#include "ShopDatabase.h"

#include "store/Database.h"
#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <QFileInfo>

namespace tagwright::cli {

store::StoreError openShopDatabase(const QString& setupPath, const QString& dataFolder,
                                   store::Database& main, bool forWriting)
{
    namespace schema = store::schema;
    QString dataPath;
    {
        store::Database setup;
        if (store::StoreError error = setup.open(setupPath, schema::setupTables(),
                                                 store::Database::Access::ReadOnly);
            !error.ok())
            return error;
        store::TableCursor record;
        if (store::StoreError error = record.open(setup, schema::SetupTable); !error.ok())
            return error;
        if (record.hasCurrent())
            dataPath = store::fields::text(record.value(schema::setup::DataPath));
    }
    const auto access = forWriting ? store::Database::Access::ReadWrite : store::Database::Access::ReadOnly;
    if (!dataPath.isEmpty())
        return main.openMain(dataPath, access);
    store::StoreError error = main.openMain(dataFolder, access);
    if (error.number == store::CannotOpenFile) {
        error.message = QStringLiteral("The setup database %1 names no folder for the shop's "
                                       "database (its DataPath is empty), and there is none in %2: %3")
                            .arg(QFileInfo(setupPath).absoluteFilePath(), dataFolder, error.message);
    }
    return error;
}

QString storeMessage(const store::StoreError& error)
{
    const QString message = error.message.simplified();
    return error.path.isEmpty() ? message : QStringLiteral("%1 (%2)").arg(message, error.path);
}

}  // namespace tagwright::cli
