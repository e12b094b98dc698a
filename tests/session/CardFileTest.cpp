#include "session/CardFile.h"
#include "session/CardSession.h"

#include "support/MainDatabaseBuilder.h"
#include "support/TempFolder.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TemplateStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace tagwright;
using session::CardFile;
using session::CardOutcome;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

// The card of one window over a database file, without the window.
class CardFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.create(folder.file(schema::MainFileName), schema::mainStatements()).ok());
    }

    void addTemplates(const QStringList& titles)
    {
        for (const QString& title : titles)
            test::addRecord(db, schema::LabelsTable, test::templateRecord(title, title + " body"));
    }

    // Opens the card on `title` as the window's activation does.
    void openOn(const QString& title)
    {
        ASSERT_TRUE(cards.open().ok());
        const auto landed = cards.showTemplate(title);
        ASSERT_TRUE(landed.ok()) << landed.error().error.describe().toStdString();
    }

    QStringList storedTitles()
    {
        QStringList titles;
        for (const store::TemplateTitle& title : *templates.titles())
            titles << title.title.toString();
        return titles;
    }
    QString storedBody(const QString& title)
    {
        return templates.load(**templates.find(title))->body;
    }

    std::pair<QString, int> onShow() const { return {session.title(), session.state().TabPos}; }

    test::TempFolder folder;
    store::Database db;
    store::TemplateStore templates{db};
    session::CardSession session;
    CardFile cards{templates, session};
};

TEST_F(CardFileTest, pagingWrapsAtBothEndsAndTheTitleTabMovesWithIt)
{
    using Shown = std::pair<QString, int>;
    struct Walk {
        QStringList titles;
        QString start;
        int step;
        std::vector<Shown> shown;
    };
    const Walk walks[] = {
        {{"A", "B", "C"}, "B", 1, {{"C", 1}, {"A", 0}, {"B", 1}}},
        {{"A", "B", "C"}, "B", -1, {{"A", 2}, {"C", 2}, {"B", 1}}},
        {{"Only"}, "Only", 1, {{"Only", 0}, {"Only", 0}}},
        {{"Only"}, "Only", -1, {{"Only", 2}, {"Only", 2}}},
        // Three steps in the middle bring the title tab back to where it started.
        {{"A", "B", "C", "D", "E"}, "B", 1, {{"C", 1}, {"D", 2}, {"E", 0}}},
    };
    for (const Walk& walk : walks) {
        for (const store::TemplateTitle& title : *templates.titles())
            ASSERT_TRUE(templates.remove(templates.load(title.id)->key).ok());
        addTemplates(walk.titles);
        openOn(walk.start);
        ASSERT_EQ(onShow(), Shown(walk.start, 0));
        for (const Shown& expected : walk.shown) {
            ASSERT_TRUE(cards.page(walk.step).ok());
            EXPECT_EQ(onShow(), expected) << walk.start.toStdString() << " step " << walk.step;
            EXPECT_EQ(session.body(), expected.first + " body");
            EXPECT_FALSE(session.isEditing());
            EXPECT_FALSE(session.state().NewLabel);
        }
    }
}

TEST_F(CardFileTest, theTypingIsWrittenToTheTemplateLeftAndAShownTemplateIsNoChange)
{
    addTemplates({"A", "B"});
    openOn("A");
    EXPECT_FALSE(session.hasUnsavedChanges());
    ASSERT_TRUE(cards.page(1).ok());
    ASSERT_TRUE(cards.page(1).ok());
    EXPECT_EQ(storedBody("A"), "A body");  // untouched: nothing written
    EXPECT_FALSE(session.isEnabled(session::Command::Save));

    session.setTitle(QStringLiteral("A 1"));
    session.setBody(QStringLiteral("first\nsecond"));
    ASSERT_TRUE(cards.page(1).ok());
    EXPECT_EQ(session.title(), "B");
    EXPECT_EQ(storedBody("A 1"), "first\r\nsecond");
    ASSERT_TRUE(cards.page(1).ok());
    EXPECT_EQ(session.body(), "first\nsecond");
    EXPECT_FALSE(session.hasUnsavedChanges());
}

// A move away from an edited card is told what to do with the edit: saved whole, or dropped
// with the stored template left as it was (a new template dropped is never added).
TEST_F(CardFileTest, aMoveSavesTheCardWholeOrDiscardsItAsTheUserSays)
{
    using Leaving = CardFile::Leaving;
    const std::function<void()> moves[] = {
        [&] { ASSERT_TRUE(cards.page(1, Leaving::Discard).ok()); },
        [&] { ASSERT_TRUE(cards.showTemplate(QStringLiteral("B"), Leaving::Discard).ok()); },
    };
    addTemplates({"A", "B"});
    for (const auto& move : moves) {
        openOn("A");
        EXPECT_FALSE(cards.leavingNeedsAnswer());
        session.setBody(QStringLiteral("A body\nNext annual due 12-31-2027"));
        session.setCaption(0, QStringLiteral("Tail #"));
        EXPECT_TRUE(cards.leavingNeedsAnswer());
        move();
        EXPECT_EQ(session.title(), "B");
        EXPECT_EQ(storedBody("A"), "A body");
        EXPECT_EQ(templates.load(**templates.find("A"))->captions[0], "Reg #");
        EXPECT_FALSE(session.hasUnsavedChanges());
    }
    ASSERT_TRUE(cards.newTemplate().ok());
    session.setTitle(QStringLiteral("Never kept"));
    ASSERT_TRUE(cards.page(1, Leaving::Discard).ok());
    EXPECT_EQ(storedTitles(), QStringList({"A", "B"}));
    EXPECT_FALSE(session.state().NewLabel);

    openOn("A");
    session.setBody(QStringLiteral("kept"));
    session.setCaption(0, QStringLiteral("Tail #"));
    ASSERT_TRUE(cards.page(1, Leaving::Save).ok());
    EXPECT_EQ(storedBody("A"), "kept");
    EXPECT_EQ(templates.load(**templates.find("A"))->captions[0], "Tail #");
}

TEST_F(CardFileTest, aRefusedStepKeepsTheCardAndTheTypingUntilItCanBeWritten)
{
    addTemplates({"A", "B", "C"});
    openOn("A");
    session.setTitle(QStringLiteral("c"));
    session.setBody(QStringLiteral("kept"));
    const CardOutcome refused = cards.page(1);
    EXPECT_EQ(refused.error.number, store::DuplicateKey);
    EXPECT_EQ(onShow(), std::pair(QStringLiteral("c"), 0));
    EXPECT_EQ(session.body(), "kept");
    EXPECT_TRUE(session.isEnabled(session::Command::Save));
    EXPECT_EQ(storedBody("A"), "A body");

    session.setTitle(QStringLiteral("A2"));
    ASSERT_TRUE(cards.page(1).ok());
    EXPECT_EQ(session.title(), "B");
    EXPECT_EQ(storedBody("A2"), "kept");
}

TEST_F(CardFileTest, aNewTemplateIsAddedLastOnceItHasATitleAndBecomesCurrent)
{
    addTemplates({"A", "B"});
    openOn("A");
    session.setCaption(0, QStringLiteral("Tail #"));
    ASSERT_TRUE(cards.newTemplate().ok());
    EXPECT_TRUE(session.state().NewLabel);
    EXPECT_EQ(session.title(), "");
    EXPECT_EQ(session.caption(0), "Tail #");  // a new template starts from the card on show

    // Without a title nothing is written, whichever command tries.
    session.setBody(QStringLiteral("Timed both mags"));
    EXPECT_EQ(cards.save().error.number, session::TitleRequired);
    EXPECT_EQ(cards.page(1).error.number, session::TitleRequired);
    EXPECT_EQ(storedTitles(), QStringList({"A", "B"}));

    session.setTitle(QStringLiteral("Magneto"));
    ASSERT_TRUE(cards.commitTitle().ok());
    EXPECT_EQ(storedTitles(), QStringList({"A", "B", "Magneto"}));
    EXPECT_EQ(storedBody("Magneto"), "Timed both mags");
    EXPECT_FALSE(session.state().NewLabel);
    EXPECT_EQ(session.storedTemplate().title, "Magneto");
    EXPECT_EQ(cards.index(), 2);
    // Only the title and body were written; Save writes the rest.
    EXPECT_EQ(session.differsFromStored(),
              session::CardSession::Parts(session::CardSession::Part::Captions) | session::CardSession::Part::Options);
    ASSERT_TRUE(cards.save().ok());
    EXPECT_FALSE(session.hasUnsavedChanges());

    // A new template left by a step is added too, and the step goes on from it.
    ASSERT_TRUE(cards.newTemplate().ok());
    session.setTitle(QStringLiteral("Brakes"));
    ASSERT_TRUE(cards.page(1).ok());
    EXPECT_EQ(storedTitles().last(), "Brakes");
    EXPECT_EQ(onShow(), std::pair(QStringLiteral("A"), 0));
}

TEST_F(CardFileTest, deleteShowsTheFirstTitleAndBodyAndKeepsTheRestOfTheCard)
{
    addTemplates({"A"});
    QVariantMap tires = test::templateRecord("Tires", "Tires body");
    tires[labels::LeftTop] = QStringLiteral("Tail");
    test::addRecord(db, schema::LabelsTable, tires);
    openOn("Tires");
    session.setBody(QStringLiteral("typed into the doomed template"));
    ASSERT_TRUE(cards.remove().ok());
    EXPECT_EQ(storedTitles(), QStringList({"A"}));
    EXPECT_EQ(session.title(), "A");
    EXPECT_EQ(session.body(), "A body");
    EXPECT_EQ(storedBody("A"), "A body");
    EXPECT_EQ(session.caption(0), "Tail");

    // The last one: the card keeps its fields, and Delete then has nothing to take.
    ASSERT_TRUE(cards.remove().ok());
    EXPECT_TRUE(storedTitles().isEmpty());
    EXPECT_EQ(session.title(), "");
    ASSERT_TRUE(cards.remove().ok());
    // What is typed then begins a template of its own.
    session.setTitle(QStringLiteral("Fresh start"));
    ASSERT_TRUE(cards.commitTitle().ok());
    EXPECT_EQ(storedTitles(), QStringList({"Fresh start"}));
}

// Another workstation writes the template while this card shows it.
TEST_F(CardFileTest, aTemplateChangedElsewhereIsAskedAboutForTheVersionStoredThen)
{
    addTemplates({"Oil Change"});
    openOn("Oil Change");
    store::TemplateStore elsewhere(db);
    const auto theyWrite = [&](const QString& body) {
        store::Template theirs = *elsewhere.load(session.storedTemplate().key.id);
        theirs.body = body;
        ASSERT_TRUE(elsewhere.save(theirs, store::TemplatePart::Body).ok());
    };
    theyWrite(QStringLiteral("theirs"));
    session.setBody(QStringLiteral("mine"));
    const CardOutcome refused = cards.save();
    ASSERT_TRUE(refused.isConflict());
    const auto conflict = cards.conflictAbout(refused);
    ASSERT_TRUE(conflict.ok());
    EXPECT_FALSE(conflict->deleted);

    // Written once more while the user is asked: the answer holds for the version asked about.
    theyWrite(QStringLiteral("theirs again"));
    EXPECT_TRUE(cards.resolve(CardFile::Resolution::Overwrite, *conflict).isConflict());
    EXPECT_EQ(storedBody("Oil Change"), "theirs again");
    const auto again = cards.conflictAbout(refused);
    ASSERT_TRUE(cards.resolve(CardFile::Resolution::Overwrite, *again).ok());
    EXPECT_EQ(storedBody("Oil Change"), "mine");
    EXPECT_FALSE(session.isEditing());

    theyWrite(QStringLiteral("theirs"));
    session.setBody(QStringLiteral("mine again"));
    const CardOutcome third = cards.save();
    ASSERT_TRUE(cards.resolve(CardFile::Resolution::ShowTheirs, *cards.conflictAbout(third)).ok());
    EXPECT_EQ(session.body(), "theirs");
    EXPECT_FALSE(session.hasUnsavedChanges());
}

TEST_F(CardFileTest, aTemplateDeletedElsewhereIsKeptAsANewOneWhenTheUserSaysSo)
{
    addTemplates({"Oil Change", "Tires"});
    openOn("Oil Change");
    ASSERT_TRUE(store::TemplateStore(db).remove(session.storedTemplate().key).ok());
    session.setCaption(5, QStringLiteral("Prop"));
    const CardOutcome refused = cards.save();
    ASSERT_EQ(refused.error.number, store::DeletedMeanwhile);
    EXPECT_TRUE(cards.conflictAbout(refused)->deleted);
    ASSERT_TRUE(cards.resolve(CardFile::Resolution::KeepAsNew, *cards.conflictAbout(refused)).ok());
    EXPECT_EQ(storedTitles(), QStringList({"Tires", "Oil Change"}));
    EXPECT_EQ(templates.load(**templates.find("Oil Change"))->captions[5], "Prop");
    EXPECT_EQ(session.storedTemplate().title, "Oil Change");
    EXPECT_FALSE(session.hasUnsavedChanges());

    // Deleting a template changed elsewhere is refused, and it is shown as stored now.
    store::Template theirs = *templates.load(session.storedTemplate().key.id);
    theirs.body = QStringLiteral("theirs");
    ASSERT_TRUE(templates.save(theirs, store::TemplatePart::Body).ok());
    EXPECT_EQ(cards.remove().error.number, store::ChangedMeanwhile);
    EXPECT_EQ(session.body(), "theirs");
    EXPECT_EQ(storedTitles(), QStringList({"Tires", "Oil Change"}));
}

}  // namespace
