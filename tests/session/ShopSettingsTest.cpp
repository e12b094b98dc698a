#include "session/CardSession.h"
#include "session/ShopSettings.h"

#include "store/StoreFixture.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace tagwright;
using store::ShopRecord;

namespace {

// The shop's settings of one workstation on each engine, with a setup database beside.
class ShopSettingsTest : public test::MainStoreTest {
protected:
    void SetUp() override
    {
        MainStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(setupDb.create(folder.file(store::schema::SetupFileName),
                                   store::schema::setupStatements()).ok());
    }

    // Runs `sql` on the shop's database from a connection of its own, as another program would.
    void elsewhere(const QString& sql)
    {
        const QString name = QStringLiteral("elsewhere");
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(
                GetParam() == test::Engine::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), name);
            if (GetParam() == test::Engine::Sqlite)
                other.setDatabaseName(db.path());
            else
                other.setConnectOptions(server->dataPath());
            ASSERT_TRUE(other.open()) << other.lastError().text().toStdString();
            QSqlQuery query(other);
            ASSERT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(name);
    }

    store::Database setupDb;
    session::ShopSettings shop{db, setupDb};
};

TEST_P(ShopSettingsTest, aShopWhoseRecordCannotBeReadGetsNoLabelAtAll)
{
    const struct {
        store::LabelStock stored;
        printing::LabelStock printed;
    } stocks[] = {{store::LabelStock::Tractor, printing::LabelStock::Tractor},
                  {store::LabelStock::Laser, printing::LabelStock::Laser}};
    ShopRecord record;
    record.companyName = QStringLiteral("Skyline Aero");
    for (const auto& stock : stocks) {
        SCOPED_TRACE(int(stock.printed));
        record.labelStyle = store::LabelStyle::of(stock.stored);
        const store::Result<ShopRecord> written = store::writeShopRecord(db, record);
        ASSERT_TRUE(written.ok());
        record = *written;
        ASSERT_TRUE(shop.load().ok());
        session::CardSession card(&shop);
        const store::Result<printing::PrintRequest> read = card.printRequest();
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->stock, stock.printed);
        EXPECT_EQ(read->label.company.name, "Skyline Aero");

        elsewhere(QStringLiteral(R"(ALTER TABLE "CompanyInfo" RENAME TO "CompanyInfoGone")"));
        const store::Result<printing::PrintRequest> unread = card.printRequest();
        EXPECT_FALSE(unread.ok());   // never a sheet guessed from defaults
        EXPECT_FALSE(unread.error().message.isEmpty());
        elsewhere(QStringLiteral(R"(ALTER TABLE "CompanyInfoGone" RENAME TO "CompanyInfo")"));
    }
}

TEST_P(ShopSettingsTest, editsBecomeTheStoredSettingsOnlyWhenSavedAndNeverOverAnotherWorkstations)
{
    ASSERT_TRUE(shop.load().ok());
    EXPECT_FALSE(shop.stored().stored());
    ShopRecord edited = shop.edited();
    edited.companyName = QStringLiteral("Skyline Aero");
    edited.offsetTexts[0] = QStringLiteral("12.9");
    shop.setEdited(edited);
    EXPECT_EQ(shop.stored().companyName, "");
    ASSERT_TRUE(shop.save().ok());
    // Stored as typed: printing reads the offset as the box showed it.
    EXPECT_EQ(shop.stored().offsetTexts[0], "12.9");
    EXPECT_EQ(store::readShopRecord(db)->offsetTexts[0], "12");

    elsewhere(QStringLiteral(R"(UPDATE "CompanyInfo" SET "CompanyName" = 'Theirs', "RecordVersion" = "RecordVersion" + 1)"));
    edited.companyName = QStringLiteral("Mine");
    shop.setEdited(edited);
    EXPECT_EQ(shop.save().number, store::ChangedMeanwhile);
    ASSERT_TRUE(shop.load().ok());
    EXPECT_EQ(shop.edited().companyName, "Theirs");
    EXPECT_EQ(shop.stored().companyName, "Theirs");
}

TAGWRIGHT_ON_BOTH_ENGINES(ShopSettingsTest);

}  // namespace
