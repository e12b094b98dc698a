#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlError>

#include <gtest/gtest.h>

#include <unistd.h>

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

// A main file whose tables lack a field would print labels without their body or title
// as if nothing were wrong: it is refused at open, naming the field.
TEST(Database, aFieldMissingFromAShopTableIsNamedAtOpen)
{
    for (const char* missing : {"Body", "Description"}) {
        test::TempFolder folder;
        const QString path = folder.file(QStringLiteral("QUILLON.MDB"));
        QStringList statements = schema::mainStatements();
        {
            Database full;
            ASSERT_TRUE(full.create(path, statements).ok());
        }
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            raw.setDatabaseName(path);
            ASSERT_TRUE(raw.open());
            QSqlQuery query(raw);
            query.exec(QStringLiteral("DROP INDEX IF EXISTS LabelsTitleKey"));
            ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE Copy AS SELECT * FROM Labels")));
            ASSERT_TRUE(query.exec(QStringLiteral("DROP TABLE Labels")));
            ASSERT_TRUE(query.exec(QStringLiteral("ALTER TABLE Copy RENAME TO Labels")));
            ASSERT_TRUE(query.exec(QStringLiteral("ALTER TABLE Labels DROP COLUMN %1").arg(QLatin1String(missing))))
                << query.lastError().text().toStdString();
            query = QSqlQuery();
            raw.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        Database db;
        const StoreError error = db.open(path, schema::mainTables());
        EXPECT_EQ(error.number, TableMissing) << missing;
        EXPECT_TRUE(error.message.contains(QStringLiteral("\"%1\"").arg(QLatin1String(missing))))
            << error.message.toStdString();
    }
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

namespace {

// A plain SQLite connection to a file, beside the store's own: what another program
// writing to the file does.
class RawConnection {
public:
    explicit RawConnection(const QString& path)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~RawConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase& db() { return m_db; }

private:
    QString m_name = QStringLiteral("raw-%1").arg(quintptr(this));
    QSqlDatabase m_db;
};

// The database file and journal as a program stopped in the middle of a large write leaves
// them: the file already holds part of the change, the journal the pages to put back.
void copyMidWrite(const QString& from, const QString& to)
{
    RawConnection raw(from);
    QSqlQuery query(raw.db());
    ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA cache_size = 2")));
    ASSERT_TRUE(raw.db().transaction());
    for (int i = 0; i < 200; ++i) {
        query.prepare(QStringLiteral("INSERT INTO Labels (Description, Body) VALUES (?, ?)"));
        query.addBindValue(QStringLiteral("Half %1").arg(i));
        query.addBindValue(QString(2000, u'x'));
        ASSERT_TRUE(query.exec());
    }
    ASSERT_GT(QFileInfo(from + "-journal").size(), 0);
    for (const char* suffix : {"", "-journal"}) {
        QFile::remove(to + suffix);
        ASSERT_TRUE(QFile::copy(from + suffix, to + suffix));
    }
    query = QSqlQuery();
    raw.db().rollback();
}

}  // namespace

TEST(Database, hotJournalIsRolledBackEvenByAReadOnlyOpener)
{
    test::TempFolder folder;
    const QString original = folder.file(QStringLiteral("original.mdb"));
    {
        Database db;
        ASSERT_TRUE(db.create(original, schema::mainStatements()).ok());
    }
    {
        RawConnection raw(original);
        QSqlQuery(raw.db()).exec(QStringLiteral("INSERT INTO Labels (Description) VALUES ('Oil Change')"));
    }
    const QString crashed = folder.file(QStringLiteral("QUILLON.MDB"));
    copyMidWrite(original, crashed);

    Database reader;
    const StoreError error = reader.open(crashed, schema::mainTables(), Database::Access::ReadOnly);
    ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    TableCursor labels;
    ASSERT_TRUE(labels.open(reader, schema::LabelsTable).ok());
    EXPECT_EQ(labels.recordCount(), 1);
    EXPECT_FALSE(QFileInfo(crashed + "-journal").size() > 0);
}

TEST(Database, hotJournalThatCannotBeRolledBackIsExplained)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes to read-only folders";
    test::TempFolder folder;
    const QString original = folder.file(QStringLiteral("original.mdb"));
    {
        Database db;
        ASSERT_TRUE(db.create(original, schema::mainStatements()).ok());
    }
    const QString share = folder.file(QStringLiteral("share"));
    ASSERT_TRUE(QDir().mkpath(share));
    const QString crashed = share + QStringLiteral("/QUILLON.MDB");
    copyMidWrite(original, crashed);
    QFile::setPermissions(crashed, QFile::ReadOwner);
    QFile::setPermissions(share, QFile::ReadOwner | QFile::ExeOwner);
    Database reader;
    const StoreError error = reader.open(crashed, schema::mainTables(), Database::Access::ReadOnly);
    QFile::setPermissions(share, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(error.ok());
    EXPECT_TRUE(error.message.contains(QStringLiteral("QUILLON.MDB-journal"))) << error.describe().toStdString();
}
