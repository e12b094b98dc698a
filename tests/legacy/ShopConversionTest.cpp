#include "LegacyFixture.h"
#include "support/Results.h"

#include "startup/StoreBootstrap.h"

#include <unistd.h>

using namespace tagwright;
using namespace tagwright::test;

namespace {

const QString SetupName = QStringLiteral("SetupTGW.MDB");
const QString MainName = QStringLiteral("QUILLON.MDB");
const QString WindowsFolder = QStringLiteral("C:\\Program Files\\Labels");

// A shop folder as the earlier program left it: both Access files, the setup record naming
// a Windows folder.
class ShopFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("setup-access2000.mdb")), shop.file(SetupName)));
        ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("shop-access2000.mdb")), shop.file(MainName)));
        QFile::setPermissions(shop.file(SetupName), QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(shop.file(MainName), QFile::ReadOwner | QFile::WriteOwner);
        setupBytes = fileBytes(shop.file(SetupName));
        mainBytes = fileBytes(shop.file(MainName));
    }

    CliRun convert(QStringList options = {})
    {
        return runCli(QStringList{QStringLiteral("convert")} + options, shop.path());
    }

    // The folder exactly as before: nothing converted, renamed or left behind.
    void expectUntouched()
    {
        EXPECT_EQ(folderEntries(shop.path()), (QStringList{MainName, SetupName}));
        EXPECT_EQ(fileBytes(shop.file(SetupName)), setupBytes);
        EXPECT_EQ(fileBytes(shop.file(MainName)), mainBytes);
    }

    QString storedDataPath()
    {
        store::Database db;
        EXPECT_TRUE(db.open(shop.file(SetupName), store::schema::setupTables()).ok());
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(db, store::schema::SetupTable).ok());
        EXPECT_EQ(cursor.recordCount(), 1);
        EXPECT_EQ(cursor.value(store::schema::setup::CompanyPhone).toString(), QStringLiteral("(555) 987-6543"));
        return cursor.value(store::schema::setup::DataPath).toString();
    }

    TempFolder shop;
    QByteArray setupBytes;
    QByteArray mainBytes;
};

TEST_F(ShopFolder, convertKeepsBothOriginalsAndLeavesDatabasesTheWindowAndPrintOpen)
{
    const CliRun run = convert();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(folderEntries(shop.path()),
              (QStringList{MainName, MainName + QStringLiteral(".access"), SetupName, SetupName + QStringLiteral(".access")}));
    EXPECT_EQ(fileBytes(shop.file(MainName + QStringLiteral(".access"))), mainBytes);
    EXPECT_EQ(fileBytes(shop.file(SetupName + QStringLiteral(".access"))), setupBytes);
    EXPECT_TRUE(run.out.contains(shop.file(MainName + QStringLiteral(".access")))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(shop.file(SetupName + QStringLiteral(".access"))));
    expectDatabaseMatches(shop.file(MainName), expectedShopTables());
    EXPECT_TRUE(run.out.contains(QStringLiteral("phone is now (555) 987-6543"))) << run.out.toStdString();
    // The Windows folder is no folder here; the setup file's own folder holds QUILLON.MDB.
    EXPECT_EQ(storedDataPath(), shop.path());

    QString dataPath;
    store::Database setup, main;
    ASSERT_TRUE(startup::openSetupDatabase(setup, shop.path()).ok());
    dataPath = test::expectValue(startup::ensureSetupRecord(setup, QStringLiteral("/nowhere")));
    const store::StoreError opened = startup::openMainDatabase(main, dataPath, QStringLiteral("/nowhere"));
    EXPECT_TRUE(opened.ok()) << opened.describe().toStdString();

    const CliRun print = runCli({QStringLiteral("print"), QStringLiteral("--trace")}, shop.path());
    EXPECT_EQ(print.exitCode, 0) << print.err.toStdString();
    EXPECT_TRUE(print.out.contains(QStringLiteral("Sky-High Aviation & Avionics, Inc.")));

    // The signatories keep their names as typed then, with no certificate of their own.
    const CliRun signatories = runCli({QStringLiteral("signatory"), QStringLiteral("list"), QStringLiteral("--csv")},
                                      shop.path());
    EXPECT_EQ(signatories.exitCode, 0) << signatories.err.toStdString();
    EXPECT_EQ(signatories.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
              (QStringList{"Name,Certificate kind,Certificate number", "John Smith A&P 2345678,,",
                           "\"J. \"\"Jim\"\" O'Neil A&P 123456\",,", "Mary-Ann Lee IA 3456789,,",
                           "José Ñúñez-Ødegård A&P 778899,,", "\"Robert \"\"Bob\"\" Brown\",,"}));

    const CliRun again = convert();
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains(QStringLiteral("Nothing to convert"))) << again.out.toStdString();
}

TEST_F(ShopFolder, windowsDataPathWithoutTheMainFileBesideNeedsTheOption)
{
    TempFolder elsewhere;
    ASSERT_TRUE(QFile::rename(shop.file(MainName), elsewhere.file(MainName)));
    const CliRun refused = convert();
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(WindowsFolder)) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--data-path")));
    EXPECT_EQ(fileBytes(shop.file(SetupName)), setupBytes);
    EXPECT_EQ(folderEntries(shop.path()), QStringList{SetupName});

    EXPECT_EQ(convert({QStringLiteral("--data-path"), shop.file(QStringLiteral("no-such-folder"))}).exitCode, 2);
    EXPECT_EQ(folderEntries(shop.path()), QStringList{SetupName});

    const CliRun run = convert({QStringLiteral("--data-path"), elsewhere.path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(storedDataPath(), elsewhere.path());
    EXPECT_EQ(fileBytes(elsewhere.file(MainName + QStringLiteral(".access"))), mainBytes);
    expectDatabaseMatches(elsewhere.file(MainName), expectedShopTables());
}

TEST_F(ShopFolder, anOriginalsNameAlreadyTakenGetsANumber)
{
    writeBytes(shop.file(MainName + QStringLiteral(".access")), "an older copy");
    const CliRun run = convert();
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(fileBytes(shop.file(MainName + QStringLiteral(".access"))), QByteArray("an older copy"));
    EXPECT_EQ(fileBytes(shop.file(MainName + QStringLiteral(".2.access"))), mainBytes);
    EXPECT_TRUE(run.out.contains(shop.file(MainName + QStringLiteral(".2.access"))));
}

TEST_F(ShopFolder, aBadMainFileStopsEverythingBeforeAnythingChanges)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* says;
    };
    const Case cases[] = {
        {"setup file in place of the main file", fileBytes(legacyFile(QStringLiteral("setup-access2000.mdb"))),
         "lacks the tables"},
        {"truncated", mainBytes.left(mainBytes.size() / 3), "damaged"},
        {"not a database", QByteArray("hello"), "neither an Access file nor a Tagwright database"},
    };
    for (const Case& bad : cases) {
        SCOPED_TRACE(bad.name);
        writeBytes(shop.file(MainName), bad.bytes);
        mainBytes = bad.bytes;
        const CliRun run = convert();
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(shop.file(MainName))) << run.err.toStdString();
        expectUntouched();
    }
}

TEST_F(ShopFolder, noSetupFileIsAFailureNamingIt)
{
    const CliRun run = convert({QStringLiteral("--setup"), shop.file(QStringLiteral("Other.MDB"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(shop.file(QStringLiteral("Other.MDB"))));
    expectUntouched();
}

}  // namespace

namespace {

// A folder on a small file system of its own, mounted for one test (root only).
class SmallDisk {
public:
    explicit SmallDisk(const QString& size)
    {
        if (::geteuid() != 0)
            return;
        m_mounted = QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                                QStringLiteral("-o"), QStringLiteral("size=") + size,
                                                                QStringLiteral("tmpfs"), m_folder.path()}) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_folder.path()});
    }
    bool mounted() const { return m_mounted; }
    QString file(const QString& name) const { return m_folder.file(name); }
    QString path() const { return m_folder.path(); }

private:
    TempFolder m_folder;
    bool m_mounted = false;
};

TEST(ShopConversionOnAFullDisk, theFailedWriteIsReportedAndBothOriginalsStayAsTheyWere)
{
    // Room for the two Access files and little more: the new main database cannot be written.
    SmallDisk disk(QStringLiteral("420k"));
    if (!disk.mounted())
        GTEST_SKIP() << "needs root to mount a small file system";
    ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("setup-access2000.mdb")), disk.file(SetupName)));
    ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("shop-access2000.mdb")), disk.file(MainName)));
    const QByteArray setupBytes = fileBytes(disk.file(SetupName));
    const QByteArray mainBytes = fileBytes(disk.file(MainName));

    const CliRun run = runCli({QStringLiteral("convert")}, disk.path());
    EXPECT_EQ(run.exitCode, 1) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(disk.file(MainName))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("full"))) << run.err.toStdString();
    EXPECT_EQ(folderEntries(disk.path()), (QStringList{MainName, SetupName}));
    EXPECT_EQ(fileBytes(disk.file(SetupName)), setupBytes);
    EXPECT_EQ(fileBytes(disk.file(MainName)), mainBytes);
}

}  // namespace
