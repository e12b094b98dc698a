#include "StoreFixture.h"

#include "store/StoreError.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <atomic>
#include <thread>
#include <vector>

using namespace tagwright;
using namespace tagwright::store;
namespace labels = tagwright::store::schema::labels;

namespace {

// Two workstations (two windows, two programs) on one main database, each with its own
// connection and its own cursor on "Labels".
class SharedStoreTest : public test::MainStoreTest {
protected:
    void SetUp() override
    {
        MainStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        openAnother(otherDb);
        ASSERT_TRUE(mine.open(db, schema::LabelsTable).ok());
        ASSERT_TRUE(addLabel(mine, QStringLiteral("Oil Change"), QStringLiteral("drained")).ok());
        ASSERT_TRUE(mine.refresh().ok());
        ASSERT_TRUE(theirs.open(otherDb, schema::LabelsTable).ok());
    }

    static QString title(const TableCursor& cursor)
    {
        return cursor.value(labels::Description).toString();
    }
    static QString body(const TableCursor& cursor) { return cursor.value(labels::Body).toString(); }

    Database otherDb;
    TableCursor mine;
    TableCursor theirs;
};

TEST_P(SharedStoreTest, saveOverAChangeMadeElsewhereIsRefusedAndKeepsTheTyping)
{
    ASSERT_TRUE(mine.edit().ok());
    ASSERT_TRUE(theirs.edit().ok());
    EXPECT_TRUE(theirs.setValue(labels::Body, QStringLiteral("theirs")).ok());
    ASSERT_TRUE(theirs.update().ok());

    EXPECT_TRUE(mine.setValue(labels::Body, QStringLiteral("mine")).ok());
    EXPECT_EQ(mine.update().number, ChangedMeanwhile);
    EXPECT_EQ(mine.editMode(), TableCursor::EditMode::Edit);
    EXPECT_EQ(body(mine), "mine");   // still pending, for the user to decide

    ASSERT_TRUE(theirs.refresh().ok());
    EXPECT_EQ(body(theirs), "theirs");

    // Reloading shows their change, and a save from there goes through.
    ASSERT_TRUE(mine.refresh().ok());
    EXPECT_EQ(body(mine), "theirs");
    ASSERT_TRUE(mine.edit().ok());
    EXPECT_TRUE(mine.setValue(labels::Body, QStringLiteral("mine again")).ok());
    EXPECT_TRUE(mine.update().ok());
    // ... and their next save, based on what they read before, is refused in turn.
    ASSERT_TRUE(theirs.edit().ok());
    EXPECT_TRUE(theirs.setValue(labels::Body, QStringLiteral("late")).ok());
    EXPECT_EQ(theirs.update().number, ChangedMeanwhile);
}

TEST_P(SharedStoreTest, overwritingTheVersionShownIsRefusedWhenItChangedAgain)
{
    ASSERT_TRUE(mine.edit().ok());
    ASSERT_TRUE(theirs.edit().ok());
    EXPECT_TRUE(theirs.setValue(labels::Body, QStringLiteral("theirs")).ok());
    ASSERT_TRUE(theirs.update().ok());
    EXPECT_TRUE(mine.setValue(labels::Body, QStringLiteral("mine")).ok());
    ASSERT_EQ(mine.update().number, ChangedMeanwhile);

    QVariant shown;
    ASSERT_TRUE(mine.storedVersion(shown).ok());
    ASSERT_TRUE(theirs.edit().ok());
    EXPECT_TRUE(theirs.setValue(labels::Body, QStringLiteral("theirs again")).ok());
    ASSERT_TRUE(theirs.update().ok());
    ASSERT_TRUE(mine.overwriteStoredVersion(shown).ok());
    EXPECT_EQ(mine.update().number, ChangedMeanwhile);

    ASSERT_TRUE(mine.storedVersion(shown).ok());
    ASSERT_TRUE(mine.overwriteStoredVersion(shown).ok());
    EXPECT_TRUE(mine.update().ok());
    ASSERT_TRUE(theirs.refresh().ok());
    EXPECT_EQ(body(theirs), "mine");
}

TEST_P(SharedStoreTest, saveOfATemplateDeletedElsewhereNeverLandsOnANewerOne)
{
    // They delete the only (and so the last) template and add another: a row number would
    // be handed out again here, a lasting identity is not.
    ASSERT_TRUE(theirs.deleteCurrent().ok());
    ASSERT_TRUE(addLabel(theirs, QStringLiteral("Brake Job"), QStringLiteral("pads")).ok());

    ASSERT_TRUE(mine.edit().ok());
    EXPECT_TRUE(mine.setValue(labels::Body, QStringLiteral("drained and refilled")).ok());
    EXPECT_EQ(mine.update().number, DeletedMeanwhile);
    EXPECT_EQ(mine.deleteCurrent().number, DeletedMeanwhile);

    ASSERT_TRUE(theirs.refresh().ok());
    EXPECT_EQ(theirs.recordCount(), 1);
    EXPECT_EQ(title(theirs), "Brake Job");
    EXPECT_EQ(body(theirs), "pads");

    // Kept as a new template, the typing is stored beside theirs.
    const QString typed = body(mine);
    ASSERT_TRUE(mine.addNew().ok());
    EXPECT_TRUE(mine.setValue(labels::Description, QStringLiteral("Oil Change")).ok());
    EXPECT_TRUE(mine.setValue(labels::Body, typed).ok());
    ASSERT_TRUE(mine.update().ok());
    ASSERT_TRUE(theirs.refresh().ok());
    EXPECT_EQ(theirs.recordCount(), 2);
    theirs.moveLast();
    EXPECT_EQ(body(theirs), "drained and refilled");
}

TEST_P(SharedStoreTest, deleteOfATemplateChangedElsewhereIsRefused)
{
    ASSERT_TRUE(theirs.edit().ok());
    EXPECT_TRUE(theirs.setValue(labels::Body, QStringLiteral("theirs")).ok());
    ASSERT_TRUE(theirs.update().ok());
    EXPECT_EQ(mine.deleteCurrent().number, ChangedMeanwhile);
    ASSERT_TRUE(mine.refresh().ok());
    EXPECT_EQ(mine.recordCount(), 1);
    EXPECT_TRUE(mine.deleteCurrent().ok());
}

TEST_P(SharedStoreTest, titleTakenElsewhereInAnyLetterCaseIs3022)
{
    ASSERT_TRUE(addLabel(theirs, QStringLiteral("ANNUAL")).ok());
    EXPECT_EQ(addLabel(mine, QStringLiteral("annual")).number, DuplicateKey);
    ASSERT_TRUE(mine.edit().ok());
    EXPECT_TRUE(mine.setValue(labels::Description, QStringLiteral("Annual")).ok());
    EXPECT_EQ(mine.update().number, DuplicateKey);
}

TEST_P(SharedStoreTest, twoSavesOfOneTitleAtTheSameMomentStoreOne)
{
    // Several workstations save the same new title, in different letter case, at once.
    constexpr int Workstations = 4;
    std::atomic<int> ready{0};
    std::atomic<int> stored{0};
    std::atomic<int> refused{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < Workstations; ++i) {
        threads.emplace_back([&, i] {
            Database station;
            if (!station.openMain(dataPath).ok())
                return;
            TableCursor cursor;
            EXPECT_TRUE(cursor.open(station, schema::LabelsTable).ok());
            EXPECT_TRUE(cursor.addNew().ok());
            EXPECT_TRUE(cursor.setValue(labels::Description, i % 2 ? QStringLiteral("Prop Strike") : QStringLiteral("PROP STRIKE")).ok());
            ++ready;
            while (ready < Workstations)
                std::this_thread::yield();
            const int number = cursor.update().number;
            if (number == NoError)
                ++stored;
            else if (number == DuplicateKey)
                ++refused;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(refused, Workstations - 1);
    ASSERT_TRUE(theirs.refresh().ok());
    EXPECT_EQ(theirs.recordCount(), 2);
}

TEST_P(SharedStoreTest, signatoriesAndSettingsSavedElsewhereAreSeenAfterRefresh)
{
    TableCursor myCompany;
    TableCursor theirCompany;
    TableCursor mySignatories;
    TableCursor theirSignatories;
    ASSERT_TRUE(myCompany.open(db, schema::CompanyInfoTable).ok());
    ASSERT_TRUE(theirCompany.open(otherDb, schema::CompanyInfoTable).ok());
    ASSERT_TRUE(mySignatories.open(db, schema::MechanicsTable).ok());
    ASSERT_TRUE(theirSignatories.open(otherDb, schema::MechanicsTable).ok());

    EXPECT_TRUE(theirCompany.addNew().ok());
    EXPECT_TRUE(theirCompany.setValue(schema::company::CompanyName, QStringLiteral("Skyline Aero")).ok());
    EXPECT_TRUE(theirCompany.setValue(schema::company::LabelStyle, 2).ok());
    ASSERT_TRUE(theirCompany.update().ok());
    for (const char* name : {"J. Smith A&P 123", "R. Jones IA 456"}) {
        EXPECT_TRUE(theirSignatories.addNew().ok());
        EXPECT_TRUE(theirSignatories.setValue(schema::mechanics::Mechanics, QString::fromLatin1(name)).ok());
        ASSERT_TRUE(theirSignatories.update().ok());
    }

    ASSERT_TRUE(myCompany.refresh().ok());
    ASSERT_TRUE(mySignatories.refresh().ok());
    EXPECT_EQ(myCompany.value(schema::company::CompanyName).toString(), "Skyline Aero");
    EXPECT_EQ(myCompany.value(schema::company::LabelStyle).toInt(), 2);
    ASSERT_EQ(mySignatories.recordCount(), 2);
    EXPECT_EQ(mySignatories.value(schema::mechanics::Mechanics).toString(), "J. Smith A&P 123");
    mySignatories.moveNext();
    EXPECT_EQ(mySignatories.value(schema::mechanics::Mechanics).toString(), "R. Jones IA 456");
}

TAGWRIGHT_ON_BOTH_ENGINES(SharedStoreTest);

}  // namespace
