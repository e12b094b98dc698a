#include "LegacyFixture.h"

#include "legacy/AccessHeader.h"
#include "legacy/AccessImport.h"

using namespace tagwright;
using namespace tagwright::test;

namespace {

// Import of each shop file reproduces its JSON field by field.
class ImportEachFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ImportEachFile, importReproducesEveryRowAndFieldInStoredOrder)
{
    const QString name = QString::fromLatin1(GetParam());
    TempFolder folder;
    const QString target = folder.file(QStringLiteral("imported.db"));
    const legacy::WriteResult result = legacy::importAccessFile(legacyFile(name + QStringLiteral(".mdb")), target);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    expectDatabaseMatches(target, expectedTables(name));
    EXPECT_EQ(folderEntries(folder.path()), QStringList{QStringLiteral("imported.db")});
}

INSTANTIATE_TEST_SUITE_P(ShopFiles, ImportEachFile,
                         ::testing::Values("shop-access2000", "setup-access2000", "many-access2000"));

TEST(AccessReader, memoLongerThanTheDefaultBindSizeArrivesWholeAndEmptyTextStaysEmpty)
{
    const legacy::AccessContents contents = legacy::readAccessFile(legacyFile(QStringLiteral("shop-access2000.mdb")));
    ASSERT_TRUE(contents.ok()) << contents.error.toStdString();
    const legacy::AccessTable* labels = contents.table(QStringLiteral("labels"));
    ASSERT_NE(labels, nullptr);
    const int body = labels->columnIndex(QStringLiteral("Body"));
    const int middle = labels->columnIndex(QStringLiteral("LabelMiddle"));
    ASSERT_EQ(labels->rows.size(), 11);
    EXPECT_EQ(labels->rows[8][body].toString().size(), 70000);
    EXPECT_FALSE(labels->rows[1][middle].isNull());
    EXPECT_TRUE(labels->rows[1][middle].toString().isEmpty());
    EXPECT_TRUE(labels->rows[4][middle].isNull());
}

TEST(AccessHeader, toldByTheHeaderNeverByTheName)
{
    TempFolder folder;
    const QString renamed = folder.file(QStringLiteral("labels.dat"));
    ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("shop-access2000.mdb")), renamed));
    EXPECT_EQ(legacy::readAccessHeader(renamed).format, legacy::AccessHeader::Format::Jet4);
    EXPECT_FALSE(legacy::readAccessHeader(renamed).hasPassword);

    QByteArray ace = fileBytes(renamed);
    ace.replace(4, 15, "Standard ACE DB");
    ace[0x14] = 2;
    writeBytes(folder.file(QStringLiteral("x.accdb")), ace);
    EXPECT_EQ(legacy::readAccessHeader(folder.file(QStringLiteral("x.accdb"))).format, legacy::AccessHeader::Format::Ace);

    writeBytes(folder.file(QStringLiteral("QUILLON.MDB")), "SQLite format 3");
    EXPECT_FALSE(legacy::isAccessFile(folder.file(QStringLiteral("QUILLON.MDB"))));
    EXPECT_FALSE(legacy::isAccessFile(folder.file(QStringLiteral("missing.mdb"))));
}

// A copy of the shop file with a database password set, as Access 2000 stores one: the
// password's UTF-16 bytes masked into the header (the pages stay readable).
QByteArray withPassword(const QString& password)
{
    QByteArray bytes = fileBytes(legacyFile(QStringLiteral("shop-access2000.mdb")));
    const QByteArray plain(reinterpret_cast<const char*>(password.utf16()), password.size() * 2);
    for (qsizetype i = 0; i < plain.size(); ++i)
        bytes[0x42 + i] = char(bytes[0x42 + i] ^ plain[i]);
    return bytes;
}

struct BadSource {
    const char* name;
    std::function<QByteArray()> bytes;   // null: the file does not exist
    const char* says;
};

TEST(ImportAccess, badSourcesGiveAMessageWithThePathAndLeaveNothingBehind)
{
    const QByteArray shop = fileBytes(legacyFile(QStringLiteral("shop-access2000.mdb")));
    const BadSource cases[] = {
        {"missing", nullptr, "no such file"},
        {"empty", [] { return QByteArray(); }, "not an Access database file"},
        {"text", [] { return QByteArray("Description,Body\nOil,changed\n"); }, "not an Access database file"},
        {"header only", [&] { return shop.left(100); }, "damaged"},
        {"first page only", [&] { return shop.left(4096); }, "damaged"},
        {"half", [&] { return shop.left(shop.size() / 2); }, "damaged"},
        {"password", [] { return withPassword(QStringLiteral("secret")); }, "password"},
    };
    for (const BadSource& bad : cases) {
        SCOPED_TRACE(bad.name);
        TempFolder folder;
        const QString source = folder.file(QStringLiteral("QUILLON.MDB"));
        if (bad.bytes)
            writeBytes(source, bad.bytes());
        const QStringList before = folderEntries(folder.path());
        const legacy::WriteResult result = legacy::importAccessFile(source, folder.file(QStringLiteral("new.db")));
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(source)) << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QLatin1String(bad.says))) << result.error.toStdString();
        EXPECT_EQ(folderEntries(folder.path()), before);
        if (bad.bytes) {
            EXPECT_EQ(fileBytes(source), bad.bytes());
        }
    }
}

TEST(ImportAccessCommand, printsTablesAndRowCountsAndRefusesAnExistingTarget)
{
    TempFolder folder;
    const QString target = folder.file(QStringLiteral("shop.db"));
    const CliRun run = runCli({QStringLiteral("import-access"), legacyFile(QStringLiteral("shop-access2000.mdb")),
                               QStringLiteral("--to"), target});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Labels: 11 rows")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Mechanics: 5 rows")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("CompanyInfo: 1 row")));

    const QByteArray written = fileBytes(target);
    const CliRun again = runCli({QStringLiteral("import-access"), legacyFile(QStringLiteral("setup-access2000.mdb")),
                                 QStringLiteral("--to"), target});
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_TRUE(again.err.contains(target)) << again.err.toStdString();
    EXPECT_EQ(fileBytes(target), written);

    EXPECT_EQ(runCli({QStringLiteral("import-access"), legacyFile(QStringLiteral("shop-access2000.mdb"))}).exitCode, 2);
    const CliRun damaged = runCli({QStringLiteral("import-access"), folder.file(QStringLiteral("none.mdb")),
                                   QStringLiteral("--to"), folder.file(QStringLiteral("none.db"))});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(folderEntries(folder.path()), QStringList{QStringLiteral("shop.db")});
}

}  // namespace
