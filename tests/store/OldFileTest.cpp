#include "store/Database.h"
#include "store/Schema.h"
#include "store/SignatoryStore.h"
#include "store/TableCursor.h"
#include "support/TempFolder.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

using namespace tagwright;
using namespace tagwright::store;
namespace labels = tagwright::store::schema::labels;

namespace {

// A main database written before records had a lasting identity: the tables as they were,
// three templates added and the last one deleted again, so its row number is free.
class OldFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folder.file(schema::MainFileName);
        QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        file.setDatabaseName(path);
        ASSERT_TRUE(file.open());
        QSqlQuery query(file);
        for (const char* statement :
             {"CREATE TABLE Labels (Description TEXT UNIQUE COLLATE NOCASE, Body TEXT, Font TEXT, "
              "Size REAL, Bold INTEGER, Italic INTEGER, Logo TEXT, Header INTEGER, Signed INTEGER, "
              "LabelTop TEXT, LabelMiddle TEXT, LabelBottom TEXT, LeftTop TEXT, LeftMiddle TEXT, "
              "LeftBottom TEXT)",
              "CREATE TABLE Mechanics (Mechanics TEXT)",
              "CREATE TABLE CompanyInfo (CompanyName TEXT, CompanyAddress TEXT, CompanyCSZ TEXT, "
              "CompanyPhone TEXT, LabelTopUp INTEGER, LabelMiddleUp INTEGER, LabelBottomUp INTEGER, "
              "LabelLeft INTEGER, LabelRight INTEGER, DefLabel TEXT, LabelStyle INTEGER)",
              "INSERT INTO Labels (Description, Body) VALUES ('Annual', 'a')",
              "INSERT INTO Labels (Description, Body) VALUES ('Oil Change', 'o')",
              "INSERT INTO Labels (Description, Body) VALUES ('Brake Job', 'b')",
              "DELETE FROM Labels WHERE Description = 'Brake Job'",
              "INSERT INTO Mechanics VALUES ('J. Smith')"}) {
            ASSERT_TRUE(query.exec(QString::fromLatin1(statement))) << statement;
        }
        query = QSqlQuery();
        file.close();
        file = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("old"));
    }

    static QStringList titles(TableCursor& cursor)
    {
        QStringList result;
        for (cursor.moveFirst(); !cursor.eof(); cursor.moveNext())
            result << cursor.value(labels::Description).toString();
        return result;
    }

    test::TempFolder folder;
    QString path;
};

TEST_F(OldFileTest, opensUpgradedWithRecordsOrderAndTitleRuleKept)
{
    Database db;
    ASSERT_TRUE(db.open(path, schema::mainTables()).ok());
    TableCursor cursor;
    ASSERT_TRUE(cursor.open(db, schema::LabelsTable).ok());
    EXPECT_EQ(titles(cursor), (QStringList{"Annual", "Oil Change"}));
    EXPECT_EQ(cursor.currentRowId(), -1);
    cursor.moveLast();
    EXPECT_EQ(cursor.currentRowId(), 2);
    EXPECT_EQ(cursor.value(labels::Body).toString(), "o");
    EXPECT_TRUE(cursor.value(schema::RecordId).isNull());   // bookkeeping stays hidden

    EXPECT_TRUE(cursor.addNew().ok());
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("ANNUAL")).ok());
    EXPECT_EQ(cursor.update().number, DuplicateKey);

    // An identity, once handed out, is not handed out again.
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("Prop")).ok());
    ASSERT_TRUE(cursor.update().ok());
    cursor.moveLast();
    const qint64 prop = cursor.currentRowId();
    ASSERT_TRUE(cursor.deleteCurrent().ok());
    EXPECT_TRUE(cursor.addNew().ok());
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("Tires")).ok());
    ASSERT_TRUE(cursor.update().ok());
    cursor.moveLast();
    EXPECT_GT(cursor.currentRowId(), prop);

    TableCursor signatories;
    ASSERT_TRUE(signatories.open(db, schema::MechanicsTable).ok());
    EXPECT_EQ(signatories.value(schema::mechanics::Mechanics).toString(), "J. Smith");
}

TEST_F(OldFileTest, readOnlyOldFileStillOpensAndReads)
{
    Database db;
    ASSERT_TRUE(db.open(path, schema::mainTables(), Database::Access::ReadOnly).ok());
    TableCursor cursor;
    ASSERT_TRUE(cursor.open(db, schema::LabelsTable).ok());
    EXPECT_EQ(titles(cursor), (QStringList{"Annual", "Oil Change"}));
    ASSERT_TRUE(cursor.findFirst(labels::Description, QStringLiteral("oil change")));
    EXPECT_EQ(cursor.value(labels::Body).toString(), "o");
    // Signatories from before certificates were kept: a name, nothing more.
    const Result<QVector<SignatoryProfile>> signatories = SignatoryStore(db).profiles();
    ASSERT_TRUE(signatories.ok());
    EXPECT_EQ(*signatories, (QVector<SignatoryProfile>{{"J. Smith", "", ""}}));
}

// Titles an older file holds twice in letter case beyond ASCII (its rule folded ASCII only):
// both stay readable after the upgrade, the first is the one found, and no third may join.
TEST_F(OldFileTest, titlesStoredTwiceInUnicodeLetterCaseStayAndNoMoreAreTaken)
{
    {
        QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        file.setDatabaseName(path);
        ASSERT_TRUE(file.open());
        QSqlQuery query(file);
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Labels (Description, Body) VALUES ('Révision ½', 'r1')")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Labels (Description, Body) VALUES ('RÉVISION ½', 'r2')")));
        query = QSqlQuery();
        file.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    Database db;
    ASSERT_TRUE(db.open(path, schema::mainTables()).ok());
    TableCursor cursor;
    ASSERT_TRUE(cursor.open(db, schema::LabelsTable).ok());
    EXPECT_EQ(titles(cursor), (QStringList{"Annual", "Oil Change", "Révision ½", "RÉVISION ½"}));
    ASSERT_TRUE(cursor.findFirst(labels::Description, QStringLiteral("révision ½")));
    EXPECT_EQ(cursor.value(labels::Body).toString(), "r1");
    EXPECT_TRUE(cursor.addNew().ok());
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("RéVISION ½")).ok());
    EXPECT_EQ(cursor.update().number, DuplicateKey);
}

}  // namespace
