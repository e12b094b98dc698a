#include "StoreFixture.h"

#include "store/StoreError.h"

#include <QFile>

using namespace tagwright;
using namespace tagwright::store;
namespace labels = tagwright::store::schema::labels;

namespace {

class TableCursorTest : public test::MainStoreTest {
protected:
    void SetUp() override
    {
        MainStoreTest::SetUp();
        ASSERT_TRUE(cursor.open(db, schema::LabelsTable).ok());
    }

    QString currentTitle() const { return cursor.value(labels::Description).toString(); }

    TableCursor cursor;
};

TEST_P(TableCursorTest, emptyTableIsAtStartAndAtEndAndMovesKeepItSo)
{
    EXPECT_TRUE(cursor.bof());
    EXPECT_TRUE(cursor.eof());
    cursor.moveNext();
    cursor.movePrevious();
    cursor.moveLast();
    EXPECT_TRUE(cursor.bof());
    EXPECT_TRUE(cursor.eof());
    EXPECT_TRUE(cursor.value(labels::Description).isNull());
    EXPECT_EQ(cursor.edit().number, NoCurrentRecord);
    EXPECT_EQ(cursor.deleteCurrent().number, NoCurrentRecord);
}

TEST_P(TableCursorTest, movesWalkStoreOrderAndStopPastEitherEnd)
{
    for (const char* title : {"Oil change", "Annual", "100 hour"})
        ASSERT_TRUE(addLabel(cursor, QString::fromLatin1(title)).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    EXPECT_EQ(currentTitle(), "Oil change");
    cursor.moveNext();
    EXPECT_EQ(currentTitle(), "Annual");
    cursor.moveLast();
    EXPECT_EQ(currentTitle(), "100 hour");
    cursor.moveNext();
    EXPECT_TRUE(cursor.eof());
    EXPECT_FALSE(cursor.bof());
    cursor.moveNext();  // stays past the end
    EXPECT_TRUE(cursor.eof());
    cursor.movePrevious();
    EXPECT_EQ(currentTitle(), "100 hour");
    cursor.moveFirst();
    cursor.movePrevious();
    EXPECT_TRUE(cursor.bof());
    EXPECT_FALSE(cursor.eof());
    EXPECT_TRUE(cursor.value(labels::Description).isNull());
}

TEST_P(TableCursorTest, findFirstIgnoresLetterCaseAndKeepsPlaceOnNoMatch)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("Annual")).ok());
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("Oil change")).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    cursor.moveLast();

    EXPECT_TRUE(cursor.findFirst(labels::Description, QStringLiteral("ANNUAL")));
    EXPECT_FALSE(cursor.noMatch());
    EXPECT_EQ(currentTitle(), "Annual");

    EXPECT_FALSE(cursor.findFirst(labels::Description, QStringLiteral("Nothing")));
    EXPECT_TRUE(cursor.noMatch());
    EXPECT_EQ(currentTitle(), "Annual");

    EXPECT_FALSE(cursor.findFirst(labels::Description, QString()));
    EXPECT_TRUE(cursor.noMatch());
}

TEST_P(TableCursorTest, titlesWithDoubleQuotesAreStoredAndFound)
{
    const QString title = QStringLiteral("12\" prop \"check\"");
    ASSERT_TRUE(addLabel(cursor, title).ok());
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("x\" OR \"1\"=\"1")).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    cursor.moveLast();
    EXPECT_TRUE(cursor.findFirst(labels::Description, title));
    EXPECT_EQ(currentTitle(), title);
    EXPECT_FALSE(cursor.findFirst(labels::Description, QStringLiteral("\" OR 1=1 --")));
}

TEST_P(TableCursorTest, duplicateTitleFails3022AndKeepsPendingRecordForRetry)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("Annual"), QStringLiteral("first")).ok());
    EXPECT_TRUE(cursor.addNew().ok());
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("aNNual")).ok());
    EXPECT_TRUE(cursor.setValue(labels::Body, QStringLiteral("second")).ok());
    const StoreError error = cursor.update();
    EXPECT_EQ(error.number, DuplicateKey);
    EXPECT_FALSE(error.message.isEmpty());
    EXPECT_EQ(cursor.editMode(), TableCursor::EditMode::Add);
    EXPECT_EQ(cursor.recordCount(), 1);

    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("Annual 2")).ok());
    ASSERT_TRUE(cursor.update().ok());
    EXPECT_EQ(cursor.recordCount(), 2);
    cursor.moveLast();
    EXPECT_EQ(currentTitle(), "Annual 2");
    EXPECT_EQ(cursor.value(labels::Body).toString(), "second");
}

// Letter case beyond ASCII: one rule on both engines, for refusing and for finding.
TEST_P(TableCursorTest, titlesDifferingInAnyLetterCaseAreOneTitle)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("Révision ½"), QStringLiteral("first")).ok());
    for (const QString& taken : {QStringLiteral("RÉVISION ½"), QStringLiteral("révision ½"), QStringLiteral("RéVISION ½")}) {
        EXPECT_TRUE(cursor.addNew().ok());
        EXPECT_TRUE(cursor.setValue(labels::Description, taken).ok());
        EXPECT_EQ(cursor.update().number, DuplicateKey) << taken.toStdString();
        cursor.cancelUpdate();
    }
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("Revision ½"), QStringLiteral("no accent, another title")).ok());
    ASSERT_TRUE(cursor.findFirst(labels::Description, QStringLiteral("RÉVISION ½")));
    EXPECT_EQ(cursor.value(labels::Body).toString(), "first");
    EXPECT_EQ(currentTitle(), "Révision ½");
}

TEST_P(TableCursorTest, editWritesChangedFieldsAndLeavesOthers)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("Annual"), QStringLiteral("body")).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    ASSERT_TRUE(cursor.edit().ok());
    EXPECT_TRUE(cursor.setValue(labels::Header, 1).ok());
    EXPECT_EQ(cursor.value(labels::Header).toInt(), 1);  // pending value visible
    ASSERT_TRUE(cursor.update().ok());
    EXPECT_EQ(cursor.editMode(), TableCursor::EditMode::None);

    TableCursor other;
    ASSERT_TRUE(other.open(db, schema::LabelsTable).ok());
    EXPECT_EQ(other.value(labels::Header).toInt(), 1);
    EXPECT_EQ(other.value(labels::Body).toString(), "body");
}

TEST_P(TableCursorTest, updateWithoutAddNewOrEditIsRefused)
{
    EXPECT_EQ(cursor.setValue(labels::Body, QStringLiteral("x")).number, UpdateWithoutEdit);
    EXPECT_EQ(cursor.update().number, UpdateWithoutEdit);
}

TEST_P(TableCursorTest, addNewOnEmptyTableMakesTheNewRecordCurrent)
{
    EXPECT_TRUE(cursor.addNew().ok());
    EXPECT_TRUE(cursor.value(labels::Description).isNull());
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("First")).ok());
    ASSERT_TRUE(cursor.update().ok());
    EXPECT_TRUE(cursor.hasCurrent());
    EXPECT_EQ(currentTitle(), "First");
}

TEST_P(TableCursorTest, addNewKeepsThePreviousRecordCurrentAfterUpdate)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("A")).ok());
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("B")).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("C")).ok());
    EXPECT_EQ(currentTitle(), "A");
    cursor.moveLast();
    EXPECT_EQ(currentTitle(), "C");
}

TEST_P(TableCursorTest, deleteRemovesTheCurrentRecord)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("A")).ok());
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("B")).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    ASSERT_TRUE(cursor.deleteCurrent().ok());
    EXPECT_EQ(cursor.recordCount(), 1);
    EXPECT_TRUE(cursor.refresh().ok());
    EXPECT_EQ(currentTitle(), "B");
    ASSERT_TRUE(cursor.deleteCurrent().ok());
    EXPECT_TRUE(cursor.refresh().ok());
    EXPECT_TRUE(cursor.bof() && cursor.eof());
}

// What the card shows after Delete is where the cursor stands, read before any refresh.
TEST_P(TableCursorTest, afterADeleteTheCursorStandsOnTheNextRecordAndPastTheLastOnNone)
{
    for (const char* title : {"A", "B", "C"})
        ASSERT_TRUE(addLabel(cursor, QString::fromLatin1(title)).ok());
    ASSERT_TRUE(cursor.refresh().ok());
    ASSERT_TRUE(cursor.deleteCurrent().ok());
    ASSERT_TRUE(cursor.hasCurrent());
    EXPECT_EQ(currentTitle(), "B");
    cursor.moveLast();
    ASSERT_TRUE(cursor.deleteCurrent().ok());
    EXPECT_TRUE(cursor.eof());
    EXPECT_FALSE(cursor.hasCurrent());
    cursor.moveFirst();
    EXPECT_EQ(currentTitle(), "B");
    EXPECT_EQ(cursor.recordCount(), 1);
}

TEST_P(TableCursorTest, moveAbandonsPendingEdit)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("A")).ok());
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("B")).ok());
    EXPECT_TRUE(cursor.refresh().ok());
    EXPECT_TRUE(cursor.edit().ok());
    EXPECT_TRUE(cursor.setValue(labels::Description, QStringLiteral("changed")).ok());
    cursor.moveNext();
    cursor.moveFirst();
    EXPECT_EQ(currentTitle(), "A");
}

TAGWRIGHT_ON_BOTH_ENGINES(TableCursorTest);

// A file on a read-only share: the file engine's own case.
using ReadOnlyFileTest = TableCursorTest;
INSTANTIATE_TEST_SUITE_P(File, ReadOnlyFileTest, ::testing::Values(test::Engine::Sqlite),
                         test::engineName);

TEST_P(ReadOnlyFileTest, failedWriteToReadOnlyFileReportsEngineMessageAndChangesNothing)
{
    ASSERT_TRUE(addLabel(cursor, QStringLiteral("A")).ok());
    const QString path = db.path();
    cursor.close();
    db.close();

    Database readOnly;
    ASSERT_TRUE(readOnly.open(path, schema::mainTables(), Database::Access::ReadOnly).ok());
    TableCursor labelsCursor;
    ASSERT_TRUE(labelsCursor.open(readOnly, schema::LabelsTable).ok());
    ASSERT_TRUE(labelsCursor.edit().ok());
    EXPECT_TRUE(labelsCursor.setValue(labels::Description, QStringLiteral("B")).ok());
    const StoreError error = labelsCursor.update();
    EXPECT_EQ(error.number, EngineFailure);
    EXPECT_TRUE(error.message.contains(QStringLiteral("readonly"))) << error.message.toStdString();
    EXPECT_EQ(error.path, path);
    EXPECT_EQ(labelsCursor.editMode(), TableCursor::EditMode::Edit);  // still pending
    EXPECT_TRUE(labelsCursor.refresh().ok());
    EXPECT_EQ(labelsCursor.value(labels::Description).toString(), "A");
}

}  // namespace

namespace {

// What a walk reading one field at each record gives, in one read: store order, missing
// values as nulls, a record deleted through another cursor as a null in its place.
TEST_P(TableCursorTest, columnValuesGiveWhatAWalkWouldRead)
{
    for (const QVariant& title : {QVariant("A"), QVariant(), QVariant("C"), QVariant("D")})
        ASSERT_TRUE(addLabel(cursor, title).ok());
    TableCursor other;
    ASSERT_TRUE(other.open(db, schema::LabelsTable).ok());
    ASSERT_TRUE(other.findFirst(labels::Description, "C"));
    ASSERT_TRUE(other.deleteCurrent().ok());
    cursor.moveFirst();
    const QVariantList titles = cursor.columnValues(labels::Description);
    ASSERT_EQ(titles.size(), 4);
    EXPECT_EQ(titles[0].toString(), "A");
    EXPECT_TRUE(titles[1].isNull());
    EXPECT_TRUE(titles[2].isNull());
    EXPECT_EQ(titles[3].toString(), "D");
    EXPECT_EQ(currentTitle(), "A");
}

}  // namespace
