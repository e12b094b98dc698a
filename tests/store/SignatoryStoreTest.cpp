#include "StoreFixture.h"

#include "support/MainDatabaseBuilder.h"

#include "store/ShopRecord.h"
#include "store/SignatoryStore.h"
#include "store/Statements.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace tagwright;
using namespace tagwright::store;

namespace {

class SignatoryStoreTest : public test::MainStoreTest {
protected:
    // Runs statements on the database through a connection of its own, as an older version
    // of the programs (or another tool) would.
    void runElsewhere(const QStringList& statements)
    {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(
                GetParam() == test::Engine::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
                QStringLiteral("elsewhere"));
            if (GetParam() == test::Engine::Sqlite)
                other.setDatabaseName(folder.file(schema::MainFileName));
            else
                other.setConnectOptions(server->dataPath());
            ASSERT_TRUE(other.open()) << other.lastError().text().toStdString();
            QSqlQuery query(other);
            for (const QString& statement : statements)
                ASSERT_TRUE(query.exec(statement)) << statement.toStdString() << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("elsewhere"));
    }

    QVector<SignatoryProfile> profiles()
    {
        const Result<QVector<SignatoryProfile>> all = SignatoryStore(db).profiles();
        EXPECT_TRUE(all.ok()) << all.error().describe().toStdString();
        return all ? *all : QVector<SignatoryProfile>();
    }
};

TEST_P(SignatoryStoreTest, profilesAreFoundInAnyLetterCaseChangedRenamedAndRemoved)
{
    const SignatoryStore store(db);
    const Result<bool> added = store.save({"J. R. Mitchell", "A&P/IA", "2468135"}, "J. R. Mitchell");
    ASSERT_TRUE(added.ok());
    EXPECT_TRUE(*added);
    ASSERT_TRUE(store.save({"Walk In", "", ""}, "Walk In").ok());

    const Result<std::optional<SignatoryProfile>> found = store.find(QStringLiteral("j. r. MITCHELL"));
    ASSERT_TRUE(found.ok() && found->has_value());
    EXPECT_EQ(**found, (SignatoryProfile{"J. R. Mitchell", "A&P/IA", "2468135"}));

    // Saved under a former name, the record is changed in place, order kept.
    const Result<bool> renamed = store.save({"Jim Mitchell", "A&P", ""}, "J. R. Mitchell");
    ASSERT_TRUE(renamed.ok());
    EXPECT_FALSE(*renamed);
    EXPECT_EQ(profiles(), (QVector<SignatoryProfile>{{"Jim Mitchell", "A&P", ""}, {"Walk In", "", ""}}));
    EXPECT_EQ(*store.names(), (QStringList{"Jim Mitchell", "Walk In"}));

    EXPECT_TRUE(*store.remove(QStringLiteral("WALK IN")));
    EXPECT_FALSE(*store.remove(QStringLiteral("Walk In")));
    const Result<std::optional<SignatoryProfile>> gone = store.find(QStringLiteral("Walk In"));
    ASSERT_TRUE(gone.ok());
    EXPECT_FALSE(gone->has_value());
    EXPECT_EQ(profiles().size(), 1);
}

// A database made before signatories had certificates, the shop a station number, the shop
// its statements and the journal its registration key: opened by this version, it gets the
// fields, the index and the starting set in one go, keeps its records, and the new fields
// read empty.
TEST_P(SignatoryStoreTest, anOlderDatabaseGetsTheNewFieldsEmptyAndTheStartingStatementsOnce)
{
    ASSERT_TRUE(SignatoryStore(db).save({"J. Smith A&P 3456789", "", ""}, "x").ok());
    test::addRecord(db, schema::CompanyInfoTable, {{schema::company::CompanyName, QStringLiteral("Skyline")}});
    db.close();
    runElsewhere({R"(ALTER TABLE "Mechanics" DROP COLUMN "CertificateKind")",
                  R"(ALTER TABLE "Mechanics" DROP COLUMN "CertificateNumber")",
                  R"(ALTER TABLE "CompanyInfo" DROP COLUMN "RepairStation")",
                  R"(ALTER TABLE "Journal" DROP COLUMN "CertificateNumber")",
                  R"(DROP TABLE "Statements")",
                  R"(DROP INDEX "Journal_Registration_key")",
                  R"(ALTER TABLE "Aircraft" DROP COLUMN "DisagreeingEntry")"});

    for (int open = 0; open < 2; ++open) {
        ASSERT_TRUE(db.openMain(dataPath).ok());
        EXPECT_EQ(profiles(), (QVector<SignatoryProfile>{{"J. Smith A&P 3456789", "", ""}}));
        const Result<ShopRecord> shop = readShopRecord(db);
        ASSERT_TRUE(shop.ok());
        EXPECT_EQ(shop->companyName, "Skyline");
        EXPECT_EQ(shop->repairStation, "");
        QVector<Statement> statements;
        ASSERT_TRUE(StatementStore(db).all(statements).ok());
        EXPECT_EQ(statements.size(), startingStatements().size());
        db.close();
    }
    ASSERT_TRUE(db.openMain(dataPath).ok());
    ASSERT_TRUE(SignatoryStore(db).save({"J. Smith", "A&P", "3456789"}, "J. Smith A&P 3456789").ok());
    EXPECT_EQ(profiles(), (QVector<SignatoryProfile>{{"J. Smith", "A&P", "3456789"}}));
}

TEST_P(SignatoryStoreTest, theShopEditsItsStatements)
{
    const StatementStore store(db);
    QVector<Statement> statements;
    ASSERT_TRUE(store.all(statements).ok());
    QVector<Statement> expected = startingStatements();
    for (qsizetype i = 0; i < expected.size(); ++i)
        expected[i].id = statements.value(i).id;
    EXPECT_EQ(statements, expected);

    Statement changed = statements[1];
    changed.wording.replace(QStringLiteral("(type)"), QStringLiteral("an annual"));
    ASSERT_TRUE(store.save(changed).ok());
    Statement own{-1, QStringLiteral("Oil"), QStringLiteral("Oil and filter changed; no metal found.")};
    ASSERT_TRUE(store.save(own).ok());
    EXPECT_GE(own.id, 0);
    ASSERT_TRUE(store.remove(statements[0].id).ok());

    ASSERT_TRUE(store.all(statements).ok());
    ASSERT_EQ(statements.size(), expected.size());
    EXPECT_EQ(statements[0], changed);
    EXPECT_EQ(statements.last(), own);
}

TAGWRIGHT_ON_BOTH_ENGINES(SignatoryStoreTest);

}  // namespace
