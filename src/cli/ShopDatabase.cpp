#include "ShopDatabase.h"

#include "store/Database.h"
#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

namespace tagwright::cli {

store::StoreError openShopDatabase(const QString& setupPath, const QString& dataFolder,
                                   store::Database& main)
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
    if (dataPath.isEmpty())
        dataPath = dataFolder;
    return main.openMain(dataPath);
}

QString storeMessage(const store::StoreError& error)
{
    const QString message = error.message.simplified();
    return error.path.isEmpty() ? message : QStringLiteral("%1 (%2)").arg(message, error.path);
}

}  // namespace tagwright::cli
