#include "startup/ExampleTemplates.h"
#include "startup/StoreBootstrap.h"
#include "stock/StockFit.h"
#include "store/ShopRecord.h"

#include "store/Database.h"
#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/MainDatabaseBuilder.h"
#include "support/Results.h"
#include "support/TempFolder.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace tagwright;
namespace schema = store::schema;

namespace {

QString setupDataPath(store::Database& setup, int* records = nullptr)
{
    store::TableCursor cursor;
    EXPECT_TRUE(cursor.open(setup, schema::SetupTable).ok());
    if (records)
        *records = cursor.recordCount();
    return cursor.value(schema::setup::DataPath).toString();
}

TEST(StoreBootstrap, firstRunCreatesSetupRecordNamingTheDefaultFolderAndKeepsIt)
{
    test::TempFolder working;
    test::TempFolder program;
    QString dataPath;
    {
        store::Database setup;
        ASSERT_TRUE(startup::openSetupDatabase(setup, working.path()).ok());
        dataPath = test::expectValue(startup::ensureSetupRecord(setup, program.path()));
        EXPECT_EQ(dataPath, program.path());
    }
    store::Database setup;
    ASSERT_TRUE(startup::openSetupDatabase(setup, working.path()).ok());
    dataPath = test::expectValue(startup::ensureSetupRecord(setup, QStringLiteral("/elsewhere")));
    int records = 0;
    EXPECT_EQ(setupDataPath(setup, &records), program.path());
    EXPECT_EQ(records, 1);
}

TEST(StoreBootstrap, emptyDataPathIsFilledButAPresentOneIsKeptEvenWhenWrong)
{
    test::TempFolder working;
    store::Database setup;
    ASSERT_TRUE(startup::openSetupDatabase(setup, working.path()).ok());
    test::addRecord(setup, schema::SetupTable, {{schema::setup::DataPath, QString("")},
                                                 {schema::setup::CompanyPhone, QStringLiteral("555")}});
    QString dataPath;
    dataPath = test::expectValue(startup::ensureSetupRecord(setup, QStringLiteral("/default")));
    EXPECT_EQ(dataPath, "/default");

    store::TableCursor cursor;
    EXPECT_TRUE(cursor.open(setup, schema::SetupTable).ok());
    EXPECT_TRUE(cursor.edit().ok());
    EXPECT_TRUE(cursor.setValue(schema::setup::DataPath, QStringLiteral("/no/such/share")).ok());
    ASSERT_TRUE(cursor.update().ok());
    dataPath = test::expectValue(startup::ensureSetupRecord(setup, QStringLiteral("/default")));
    EXPECT_EQ(dataPath, "/no/such/share");
    EXPECT_TRUE(cursor.refresh().ok());
    EXPECT_EQ(cursor.value(schema::setup::CompanyPhone).toString(), "555");
}

TEST(StoreBootstrap, missingMainDatabaseInTheDefaultFolderIsCreatedWithExampleTemplates)
{
    test::TempFolder folder;
    store::Database main;
    ASSERT_TRUE(startup::openMainDatabase(main, folder.path(), folder.path()).ok());
    EXPECT_TRUE(QFile::exists(folder.file(schema::MainFileName)));

    store::TableCursor labels, mechanics;
    EXPECT_TRUE(labels.open(main, schema::LabelsTable).ok());
    EXPECT_TRUE(mechanics.open(main, schema::MechanicsTable).ok());
    EXPECT_GE(labels.recordCount(), 3);
    // A new shop starts fitted to the six-up stock; the tests' machine has no printer, so
    // for PDF files.
    const store::Result<store::ShopRecord> shop = store::readShopRecord(main);
    ASSERT_TRUE(shop.ok());
    EXPECT_TRUE(shop->stored());
    EXPECT_EQ(shop->offsetTexts, stock::offsetTexts(stock::fitToStock(stock::wholeSheet()).offsets));
    EXPECT_NE(shop->offsetTexts[0], "0");
    EXPECT_EQ(mechanics.recordCount(), 0);
    namespace labelFields = schema::labels;
    for (labels.moveFirst(); !labels.eof(); labels.moveNext()) {
        EXPECT_FALSE(labels.value(labelFields::Description).toString().isEmpty());
        EXPECT_FALSE(labels.value(labelFields::Body).toString().isEmpty());
        EXPECT_EQ(labels.value(labelFields::Font).toString(), "Arial");
        EXPECT_TRUE(store::fields::flag(labels.value(labelFields::Header)));
        EXPECT_TRUE(store::fields::flag(labels.value(labelFields::Signed)));
        EXPECT_EQ(labels.value(labelFields::LeftTop).toString(), "Reg #");
        EXPECT_EQ(labels.value(labelFields::LabelBottom).toString(), "SMOH");
    }
}

TEST(StoreBootstrap, missingMainDatabaseInAnotherFolderIsAnErrorAndNothingIsCreated)
{
    test::TempFolder share;
    test::TempFolder program;
    store::Database main;
    const store::StoreError error = startup::openMainDatabase(main, share.path(), program.path());
    EXPECT_FALSE(error.ok());
    EXPECT_EQ(error.path, share.file(schema::MainFileName));
    EXPECT_FALSE(QFile::exists(share.file(schema::MainFileName)));
    EXPECT_FALSE(QFile::exists(program.file(schema::MainFileName)));
}

TEST(StoreBootstrap, mainDatabaseInAnotherFolderIsOpenedThereAndTrailingSeparatorIsAccepted)
{
    test::TempFolder share;
    test::TempFolder program;
    {
        store::Database created;
        ASSERT_TRUE(created.create(share.file(schema::MainFileName), schema::mainStatements()).ok());
        test::addRecord(created, schema::LabelsTable, test::templateRecord(QStringLiteral("Shop label")));
    }
    store::Database main;
    ASSERT_TRUE(startup::openMainDatabase(main, share.path() + QDir::separator(), program.path()).ok());
    store::TableCursor labels;
    EXPECT_TRUE(labels.open(main, schema::LabelsTable).ok());
    EXPECT_EQ(labels.recordCount(), 1);
    EXPECT_EQ(labels.value(schema::labels::Description).toString(), "Shop label");
}

TEST(StoreBootstrap, mainDatabaseLackingATableIsRefused)
{
    test::TempFolder folder;
    {
        store::Database partial;
        ASSERT_TRUE(partial.create(folder.file(schema::MainFileName),
                                   {QStringLiteral("CREATE TABLE Labels (Description TEXT)")}).ok());
    }
    store::Database main;
    const store::StoreError error = startup::openMainDatabase(main, folder.path(), folder.path());
    EXPECT_EQ(error.number, store::TableMissing);
}

// What a first start stopped halfway leaves: older versions built the file in place, so an
// empty file with its journal, or a database without tables. Each start makes it afresh;
// the fresh creation itself never leaves a half-built file under the real name.
TEST(StoreBootstrap, leftoversOfAnInterruptedFirstStartAreMadeAfresh)
{
    const auto writeFile = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    const auto emptyDatabase = [](const QString& path) {
        store::Database db;
        ASSERT_TRUE(db.create(path, {}).ok());
    };
    for (int kind = 0; kind < 2; ++kind) {
        test::TempFolder working;
        test::TempFolder share;
        const QString setupPath = working.file(schema::SetupFileName);
        const QString mainPath = share.file(schema::MainFileName);
        if (kind == 0) {
            writeFile(setupPath, {});
            writeFile(setupPath + "-journal", QByteArray(512, '\0'));
            writeFile(mainPath, {});
        } else {
            emptyDatabase(setupPath);
            emptyDatabase(mainPath);
        }
        store::Database setup;
        ASSERT_TRUE(startup::openSetupDatabase(setup, working.path()).ok()) << kind;
        QString dataPath;
        dataPath = test::expectValue(startup::ensureSetupRecord(setup, share.path()));
        // The leftover main database is in the shop's folder even when that is not the
        // program's: the folder is plainly there.
        store::Database main;
        const store::StoreError error = startup::openMainDatabase(main, dataPath, working.path());
        ASSERT_TRUE(error.ok()) << kind << " " << error.describe().toStdString();
        store::TableCursor labels;
        ASSERT_TRUE(labels.open(main, schema::LabelsTable).ok());
        EXPECT_GE(labels.recordCount(), 3) << kind;
        EXPECT_EQ(QDir(working.path()).entryList(QDir::Files), QStringList{schema::SetupFileName});
        EXPECT_EQ(QDir(share.path()).entryList(QDir::Files), QStringList{schema::MainFileName});
    }
}

// A crash while the main database is made (here: the process ends while the example
// templates go in) leaves no database; the next start makes a whole one.
TEST(StoreBootstrap, aCrashWhileCreatingLeavesNoDatabase)
{
    test::TempFolder folder;
    const QString path = folder.file(schema::MainFileName);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        store::Database main;
        // The process is stopped halfway through creating: nothing it returns is looked at.
        static_cast<void>(main.create(path, schema::mainStatements(), [](store::Database& db) {
            static_cast<void>(startup::addExampleTemplates(db));
            _exit(9);
            return store::StoreError{};
        }));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_FALSE(QFile::exists(path));

    store::Database main;
    ASSERT_TRUE(startup::openMainDatabase(main, folder.path(), folder.path()).ok());
    store::TableCursor labels;
    ASSERT_TRUE(labels.open(main, schema::LabelsTable).ok());
    EXPECT_GE(labels.recordCount(), 3);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{schema::MainFileName});
}

TEST(StoreBootstrap, aServerInDataPathGetsItsTablesButNoExamplesAndNothingIsWrittenBeside)
{
    if (const QString reason = test::ServerDatabase::skipReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    test::ServerDatabase server;
    ASSERT_TRUE(server.created()) << server.error().toStdString();
    test::TempFolder program;
    store::Database main;
    const store::StoreError error = startup::openMainDatabase(main, server.dataPath(), program.path());
    ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    store::TableCursor labels;
    ASSERT_TRUE(labels.open(main, schema::LabelsTable).ok());
    EXPECT_EQ(labels.recordCount(), 0);
    EXPECT_TRUE(QDir(program.path()).isEmpty());
}

TEST(StoreBootstrap, aStoppedServerInDataPathIsNamedAtOnce)
{
    test::TempFolder noServer;
    test::TempFolder program;
    store::Database main;
    const QString dataPath = QStringLiteral("postgresql://%1/labels").arg(QString(QUrl::toPercentEncoding(noServer.path())));
    const store::StoreError error = startup::openMainDatabase(main, dataPath, program.path());
    EXPECT_EQ(error.number, store::ServerUnavailable);
    EXPECT_TRUE(error.describe().contains(QStringLiteral("Server: ") + dataPath)) << error.describe().toStdString();
    EXPECT_TRUE(QDir(program.path()).isEmpty());
}

}  // namespace

#include <QProcess>

namespace {

// A first run in a folder nobody may write to (a read-only file system here, since folder
// permissions do not bind root): the message names the folder, the system's reason and what
// to do, not only the engine's "unable to open database file".
TEST(StoreBootstrap, aFirstRunInAReadOnlyFolderNamesItAndSaysWhatToDo)
{
    test::TempFolder parent;
    const QString folder = parent.file(QStringLiteral("read-only"));
    ASSERT_TRUE(QDir().mkpath(folder));
    bool mounted = false;
    if (geteuid() == 0) {
        mounted = QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                              QStringLiteral("ro,size=16k"), QStringLiteral("tmpfs"), folder}) == 0;
        if (!mounted)
            GTEST_SKIP() << "mounting a read-only file system failed";
    } else {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    store::Database setup;
    const store::StoreError error = startup::openSetupDatabase(setup, folder);
    if (mounted)
        QProcess::execute(QStringLiteral("umount"), {folder});
    ASSERT_FALSE(error.ok());
    const QString shown = error.describe();
    EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(folder))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(mounted ? QStringLiteral("Read-only file system") : QStringLiteral("Permission denied")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("folder you may write to"))) << shown.toStdString();
}

}  // namespace
