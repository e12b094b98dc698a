#include "store/ShopRecord.h"

#include "support/MainDatabaseBuilder.h"
#include "support/TempFolder.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <gtest/gtest.h>

using namespace tagwright;
namespace schema = store::schema;
namespace company = schema::company;

namespace {

TEST(OffsetRule, numbersAreTruncatedTowardZeroAndAnythingElseIsZero)
{
    const std::pair<const char*, int> cases[] = {
        {"abc", 0}, {"", 0}, {"12.9", 12}, {"-3.7", -3}, {"1e2", 100}, {" 40 ", 40},
        {"+7", 7}, {"5.", 5}, {".5", 0}, {"-.9", 0}, {"1E-1", 0}, {"2e+1", 20},
        {"1e", 0}, {".", 0}, {"-", 0}, {"1 2", 0}, {"12a", 0}, {"0x1", 0}, {"--1", 0},
        {"\t-8\t", -8}, {"9e99", std::numeric_limits<int>::max()},
        {"-9e99", std::numeric_limits<int>::min()}, {"nan", 0}, {"inf", 0},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(store::offsetFromText(QString::fromLatin1(text)), expected) << '"' << text << '"';
}

TEST(LabelStyleRule, thePrintCommandTakesOnlyTwoAsTractorAndTheSetupPanelOnlyAbsentOrOneAsLaser)
{
    using store::LabelStock;
    const struct {
        QVariant stored;
        LabelStock printed;
        LabelStock setupPanel;
    } cases[] = {
        {QVariant(), LabelStock::Laser, LabelStock::Laser},
        {1, LabelStock::Laser, LabelStock::Laser},
        {2, LabelStock::Tractor, LabelStock::Tractor},
        {7, LabelStock::Laser, LabelStock::Tractor},
        {0, LabelStock::Laser, LabelStock::Tractor},
        {-1, LabelStock::Laser, LabelStock::Tractor},
        {QStringLiteral("x"), LabelStock::Laser, LabelStock::Tractor},
    };
    for (const auto& c : cases) {
        const store::LabelStyle style{c.stored};
        EXPECT_EQ(style.printedStock(), c.printed) << c.stored.toString().toStdString();
        EXPECT_EQ(style.setupPanelStock(), c.setupPanel) << c.stored.toString().toStdString();
    }
    EXPECT_EQ(store::LabelStyle::of(LabelStock::Laser).stored.toInt(), 1);
    EXPECT_EQ(store::LabelStyle::of(LabelStock::Tractor).stored.toInt(), 2);
}

class ShopRecordStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mainDb.create(folder.file(schema::MainFileName), schema::mainStatements()).ok());
    }

    test::TempFolder folder;
    store::Database mainDb;
};

TEST_F(ShopRecordStore, firstSaveCreatesTheRecordAndLaterSavesRewriteIt)
{
    store::ShopRecord settings;
    settings.companyName = QStringLiteral("Skyline Aero");
    settings.phone = QStringLiteral("541-555-0100");
    settings.offsetTexts = {QStringLiteral("12.9"), QStringLiteral("abc"), QString(),
                            QStringLiteral("-3.7"), QStringLiteral("1e2")};
    settings.labelStyle = store::LabelStyle::of(store::LabelStock::Tractor);
    const store::Result<store::ShopRecord> first = store::writeShopRecord(mainDb, settings);
    ASSERT_TRUE(first.ok());
    settings = *first;
    settings.companyName = QStringLiteral("Skyline Aviation");
    ASSERT_TRUE(store::writeShopRecord(mainDb, settings).ok());

    store::TableCursor check;
    ASSERT_TRUE(check.open(mainDb, schema::CompanyInfoTable).ok());
    EXPECT_EQ(check.recordCount(), 1);
    EXPECT_EQ(check.value(company::CompanyName).toString(), "Skyline Aviation");
    EXPECT_EQ(check.value(company::CompanyPhone).toString(), "541-555-0100");
    EXPECT_EQ(check.value(company::LabelTopUp).toInt(), 12);
    EXPECT_EQ(check.value(company::LabelMiddleUp).toInt(), 0);
    EXPECT_EQ(check.value(company::LabelBottomUp).toInt(), 0);
    EXPECT_EQ(check.value(company::LabelLeft).toInt(), -3);
    EXPECT_EQ(check.value(company::LabelRight).toInt(), 100);
    EXPECT_EQ(check.value(company::LabelStyle).toInt(), 2);

    // Read back as the window shows it: offsets as numbers in text.
    const store::Result<store::ShopRecord> readBack = store::readShopRecord(mainDb);
    ASSERT_TRUE(readBack.ok());
    const store::ShopRecord& read = *readBack;
    EXPECT_TRUE(read.stored());
    EXPECT_EQ(read.companyName, "Skyline Aviation");
    EXPECT_EQ(read.offsetTexts, (std::array<QString, 5>{"12", "0", "0", "-3", "100"}));
    EXPECT_EQ(read.labelStyle.printedStock(), store::LabelStock::Tractor);
}

TEST_F(ShopRecordStore, emptyBoxesStoreTheEmptyTextNotAMissingValue)
{
    ASSERT_TRUE(store::writeShopRecord(mainDb, store::ShopRecord{}).ok());
    store::TableCursor check;
    ASSERT_TRUE(check.open(mainDb, schema::CompanyInfoTable).ok());
    for (const QString& field : {company::CompanyName, company::CompanyAddress, company::CompanyCSZ,
                                 company::CompanyPhone, company::DefLabel}) {
        EXPECT_FALSE(check.value(field).isNull()) << field.toStdString();
        EXPECT_EQ(check.value(field).toString(), "") << field.toStdString();
    }
}

TEST_F(ShopRecordStore, aRefusedWriteLeavesTheRecordAndNamesTheFile)
{
    test::addRecord(mainDb, schema::CompanyInfoTable, {{company::CompanyName, QStringLiteral("Old")}});
    store::Database readOnly;
    ASSERT_TRUE(readOnly.open(mainDb.path(), schema::mainTables(), store::Database::Access::ReadOnly).ok());
    store::Result<store::ShopRecord> settings = store::readShopRecord(readOnly);
    ASSERT_TRUE(settings.ok());
    settings->companyName = QStringLiteral("New");
    const store::StoreError error = store::writeShopRecord(readOnly, *settings).error();
    EXPECT_FALSE(error.ok());
    EXPECT_EQ(error.path, mainDb.path());
    EXPECT_EQ(store::readShopRecord(readOnly)->companyName, "Old");
}

}  // namespace
