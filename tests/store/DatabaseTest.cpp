#include "store/Database.h"
#include "store/Schema.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace tagwright;
using namespace tagwright::store;

TEST(Database, missingFileIsAnErrorAndIsNotCreated)
{
    test::TempFolder folder;
    Database db;
    const QString path = folder.file(QStringLiteral("QUILLON.MDB"));
    const StoreError error = db.open(path, schema::mainTables());
    EXPECT_EQ(error.number, CannotOpenFile);
    EXPECT_EQ(error.path, path);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(Database, fileThatIsNotADatabaseIsReportedWithEngineMessage)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("QUILLON.MDB"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    Database db;
    const StoreError error = db.open(path, schema::mainTables());
    EXPECT_EQ(error.number, CannotOpenFile);
    EXPECT_TRUE(error.message.contains(QStringLiteral("not a database"))) << error.message.toStdString();
    EXPECT_TRUE(error.describe().contains(path));
}

TEST(Database, missingTableIsNamed)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("QUILLON.MDB"));
    {
        Database db;
        ASSERT_TRUE(db.create(path, {QStringLiteral("CREATE TABLE Labels (Description TEXT)"),
                                     QStringLiteral("CREATE TABLE Mechanics (Mechanics TEXT)")})
                        .ok());
    }
    Database db;
    const StoreError error = db.open(path, schema::mainTables());
    EXPECT_EQ(error.number, TableMissing);
    EXPECT_TRUE(error.message.contains(QStringLiteral("CompanyInfo")));
}

TEST(Database, fileWithExactlyTheTablesOpensWhateverTheLetterCase)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("SetupTGW.MDB"));
    {
        Database db;
        ASSERT_TRUE(db.create(path, {QStringLiteral("CREATE TABLE SETUP (DataPath TEXT, CompanyPhone TEXT)")}).ok());
    }
    Database db;
    EXPECT_TRUE(db.open(path, schema::setupTables()).ok());
}

TEST(Database, createdMainFileHoldsTheThreeTablesWithTheirFields)
{
    test::TempFolder folder;
    Database db;
    ASSERT_TRUE(db.create(folder.file(QStringLiteral("QUILLON.MDB")), schema::mainStatements()).ok());
    // Read the file as any other program would.
    QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fields"));
    file.setDatabaseName(db.path());
    ASSERT_TRUE(file.open());
    QSqlQuery query(file);
    ASSERT_TRUE(query.exec(QStringLiteral(
        "SELECT Description, Body, Font, Size, Bold, Italic, Logo, Header, Signed, LabelTop, "
        "LabelMiddle, LabelBottom, LeftTop, LeftMiddle, LeftBottom FROM Labels")));
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT Mechanics FROM Mechanics")));
    ASSERT_TRUE(query.exec(QStringLiteral(
        "SELECT CompanyName, CompanyAddress, CompanyCSZ, CompanyPhone, LabelTopUp, LabelMiddleUp, "
        "LabelBottomUp, LabelLeft, LabelRight, DefLabel, LabelStyle FROM CompanyInfo")));
    query = QSqlQuery();
    file = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("fields"));
}
