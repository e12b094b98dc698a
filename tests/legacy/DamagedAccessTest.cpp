#include "LegacyFixture.h"

#include <random>

using namespace tagwright;
using namespace tagwright::test;

namespace {

// Damaged copies of the shop's files: cut short at page boundaries and odd places, and with
// bytes flipped (fixed seeds, so a failure repeats). libmdb reads them in tagwright-cli, the
// process boundary the window relies on too: whatever the damage, the command ends by itself
// with 1 and leaves nothing, or with 0 and a complete database.
struct Mutation {
    std::string name;
    QByteArray bytes;
};

std::vector<Mutation> mutationsOf(const QString& file)
{
    const QByteArray original = fileBytes(legacyFile(file));
    std::vector<Mutation> result;
    const qsizetype size = original.size();
    for (qsizetype cut : {qsizetype(20), qsizetype(2048), qsizetype(4096), qsizetype(4097), 3 * qsizetype(4096),
                          size / 3, size / 2, size - 4096, size - 1})
        result.push_back({"cut at " + std::to_string(cut), original.left(cut)});
    // Half the flips land in the first pages (header, catalogue, table definitions), where
    // damage misleads the reader most; the rest anywhere.
    for (unsigned seed = 1; seed <= 16; ++seed) {
        std::mt19937 random(seed);
        QByteArray bytes = original;
        const qsizetype span = seed % 2 ? qMin<qsizetype>(size, 16 * 4096) : size;
        const int flips = int(1u << (seed % 4 * 2));   // 1, 4, 16 or 64 bytes
        for (int i = 0; i < flips; ++i) {
            const qsizetype at = qsizetype(random() % quint32(span));
            bytes[at] = char(bytes[at] ^ char(1 + random() % 255));
        }
        result.push_back({"seed " + std::to_string(seed) + ", " + std::to_string(flips) + " flips", bytes});
    }
    return result;
}

class DamagedCopies : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedCopies, importEndsWithAMessageOrACompleteDatabaseNeverACrashOrAHang)
{
    const QString file = QString::fromLatin1(GetParam());
    const QStringList tables = file.startsWith(QLatin1String("setup")) ? store::schema::setupTables()
                                                                       : store::schema::mainTables();
    for (const Mutation& mutation : mutationsOf(file)) {
        SCOPED_TRACE(mutation.name);
        TempFolder folder;
        const QString source = folder.file(QStringLiteral("damaged.mdb"));
        const QString target = folder.file(QStringLiteral("new.db"));
        const CliRun run = importDamagedCopy(folder, mutation.bytes);
        ASSERT_TRUE(run.finished) << "no end within 20 s";
        ASSERT_FALSE(run.crashed) << run.err.toStdString();
        EXPECT_EQ(fileBytes(source), mutation.bytes);
        if (run.exitCode == 0) {
            store::Database db;
            EXPECT_TRUE(db.open(target, tables, store::Database::Access::ReadOnly).ok());
            EXPECT_EQ(folderEntries(folder.path()), (QStringList{QStringLiteral("damaged.mdb"), QStringLiteral("new.db")}));
        } else {
            EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(source)) << run.err.toStdString();
            EXPECT_EQ(folderEntries(folder.path()), QStringList{QStringLiteral("damaged.mdb")});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ShopFiles, DamagedCopies, ::testing::Values("setup-access2000.mdb", "shop-access2000.mdb"));

}  // namespace

#include "legacy/ReaderGuard.h"

#include <csignal>
#include <cstdlib>

namespace {

// What the guard turns into exit status 1 with the usual one-line message, should libmdb
// ever crash, loop or allocate without end on a file the mutations above did not foresee.
TEST(ReaderGuardDeathTest, aCrashAHangOrARunawayAllocationEndsWithExit1NamingTheFile)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString path = QStringLiteral("/shop/QUILLON.MDB");
    const std::string message = "The Access file /shop/QUILLON.MDB cannot be read: the file is damaged";
    EXPECT_EXIT(
        {
            legacy::ReaderGuard guard(path, 5);
            std::raise(SIGSEGV);
        },
        ::testing::ExitedWithCode(1), message);
    EXPECT_EXIT(
        {
            legacy::ReaderGuard guard(path, 1);
            for (volatile bool forever = true; forever;) {
            }
        },
        ::testing::ExitedWithCode(1), message);
    EXPECT_EXIT(
        {
            legacy::ReaderGuard guard(path, 5);
            // 4 GB fits in memory here but not in the allowance; as libmdb's plain malloc calls
            // would, the refused allocation is used all the same.
            auto* everything = static_cast<volatile char*>(std::malloc(std::size_t(4) << 30));
            everything[12345] = 'x';
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(1), message);
}

}  // namespace
