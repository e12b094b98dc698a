#include "session/RecordOnShow.h"

#include "support/MainDatabaseBuilder.h"
#include "support/TempFolder.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <gtest/gtest.h>

using namespace tagwright;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

class RecordOnShowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.create(folder.file(schema::MainFileName), schema::mainStatements()).ok());
        test::addRecord(db, schema::LabelsTable, test::templateRecord("Annual", "Annual body"));
        test::addRecord(db, schema::LabelsTable, {{labels::Description, QStringLiteral("Bare")}});
        ASSERT_TRUE(cursor.open(db, schema::LabelsTable).ok());
    }

    test::TempFolder folder;
    store::Database db;
    store::TableCursor cursor;
};

TEST_F(RecordOnShowTest, commandsFindTheRecordOnShowOnlyInTheVersionShown)
{
    session::RecordOnShow onShow;
    onShow.take(cursor);
    ASSERT_TRUE(onShow.stored());
    EXPECT_TRUE(onShow.isCurrentIn(cursor));

    cursor.moveNext();
    EXPECT_FALSE(onShow.isCurrentIn(cursor));  // another record
    cursor.moveFirst();
    EXPECT_TRUE(onShow.isCurrentIn(cursor));

    // Changed elsewhere and read again: the same identity, not the version shown.
    store::TableCursor elsewhere;
    ASSERT_TRUE(elsewhere.open(db, schema::LabelsTable).ok());
    ASSERT_TRUE(elsewhere.edit().ok());
    elsewhere.setValue(labels::Body, QStringLiteral("theirs"));
    ASSERT_TRUE(elsewhere.update().ok());
    cursor.moveFirst();
    EXPECT_FALSE(onShow.isCurrentIn(cursor));

    // A record being added is not a stored record on show.
    cursor.addNew();
    onShow.take(cursor);
    EXPECT_FALSE(onShow.stored());
    EXPECT_FALSE(onShow.isCurrentIn(cursor));
}

TEST_F(RecordOnShowTest, valuesReadWithDefaultsAndWriteBackAllThirteenFields)
{
    cursor.moveNext();
    const session::TemplateValues bare = session::TemplateValues::read(cursor);
    EXPECT_EQ(bare.fontName, "MS Sans Serif");
    EXPECT_FLOAT_EQ(bare.fontSize, 8.25f);
    EXPECT_TRUE(bare.bold);
    EXPECT_FALSE(bare.printsCompany);
    EXPECT_EQ(bare.captions, (std::array<QString, 6>{}));

    session::TemplateValues values = bare;
    values.captions = {"Reg #", "Make", "Serial", "Tach", "T.T.", "SMOH"};
    values.printsSignature = true;
    values.logo = QStringLiteral("/logos/shop.bmp");
    ASSERT_TRUE(cursor.edit().ok());
    ASSERT_TRUE(values.setInto(cursor).ok());
    ASSERT_TRUE(cursor.update().ok());

    store::TableCursor check;
    ASSERT_TRUE(check.open(db, schema::LabelsTable).ok());
    check.moveNext();
    EXPECT_EQ(session::TemplateValues::read(check), values);
    EXPECT_EQ(check.value(labels::LeftTop).toString(), "Reg #");
    EXPECT_EQ(check.value(labels::LabelBottom).toString(), "SMOH");
    EXPECT_EQ(check.value(labels::Header).toInt(), 0);  // written, not left missing
}

}  // namespace
