#include "StoreBootstrap.h"

#include "ExampleTemplates.h"

#include "printers/PrintableArea.h"
#include "stock/StockFit.h"
#include "store/DataFolders.h"
#include "store/Database.h"
#include "files/FilePlacement.h"
#include "store/Schema.h"
#include "store/ServerAddress.h"
#include "store/ShopOnServer.h"
#include "store/ShopRecord.h"
#include "store/TableCursor.h"

#include <QDir>
#include <QFileInfo>

namespace tagwright::startup {

namespace schema = store::schema;

namespace {

// An empty or table-less file is what an older version left when it was stopped while
// creating the database in place; it holds nothing, so it is made afresh.
bool clearUnfinishedCreation(const QString& path)
{
    files::removeLeftovers(path);
    return store::Database::isUnfinishedCreation(path) && store::Database::removeFiles(path);
}

// A new shop starts with its labels fitted to the six-up stock on the system's default
// printer, or for PDF files when there is none.
store::StoreError fitNewShop(store::Database& main)
{
    QString message;
    const QRectF printable =
        printers::letterPrintableArea(QString(), message).value_or(stock::wholeSheet());
    store::ShopRecord shop;
    shop.offsetTexts = stock::offsetTexts(stock::fitToStock(printable).offsets);
    return store::writeShopRecord(main, shop).error();
}

}  // namespace

store::StoreError openSetupDatabase(store::Database& setup, const QString& setupFolder)
{
    return store::openSetupFile(setup, QDir(setupFolder).filePath(schema::SetupFileName));
}

store::Result<QString> ensureSetupRecord(store::Database& setup, const QString& defaultFolder)
{
    store::TableCursor cursor;
    if (store::StoreError error = cursor.open(setup, schema::SetupTable); !error.ok())
        return error;
    store::StoreError error = (cursor.bof() && cursor.eof()) ? cursor.addNew() : cursor.edit();
    if (!error.ok())
        return error;
    QString path = cursor.value(schema::setup::DataPath).toString();
    if (path.isEmpty()) {
        path = defaultFolder;
        if (error = cursor.setValue(schema::setup::DataPath, path); !error.ok())
            return error;
    }
    if (error = cursor.update(); !error.ok())
        return error;
    return path;
}

store::StoreError openMainDatabase(store::Database& main, const QString& dataPath,
                                   const QString& defaultFolder)
{
    // A database server creates its tables on first use; examples are for a new shop's file.
    if (store::isServerAddress(dataPath))
        return main.openMain(dataPath);
    const QString path = schema::mainDatabasePath(dataPath);
    // A leftover in the folder shows that the folder is the shop's and is there.
    const bool leftover = clearUnfinishedCreation(path);
    if (!QFileInfo::exists(path) && (leftover || store::isSameFolder(dataPath, defaultFolder))) {
        QDir().mkpath(defaultFolder);
        return main.create(path, schema::mainStatements(), [](store::Database& created) {
            store::StoreError error = addExampleTemplates(created);
            return error.ok() ? fitNewShop(created) : error;
        });
    }
    return main.openMain(dataPath);
}

}  // namespace tagwright::startup
