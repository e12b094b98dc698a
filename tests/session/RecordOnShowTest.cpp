#include "session/CardSession.h"
#include "session/RecordOnShow.h"

#include "support/MainDatabaseBuilder.h"
#include "support/TempFolder.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <gtest/gtest.h>

#include <functional>

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

// What the card shows after a record is shown the way the window shows it: the title in all
// three tabs, the body, and the record's captions, options and logo.
void showAsTheCardDoes(session::CardSession& card, const store::TableCursor& templates)
{
    const session::TemplateValues values = session::TemplateValues::read(templates);
    for (int tab = 0; tab < session::CardSession::TitleTabs; ++tab)
        card.setTitle(tab, templates.value(labels::Description).toString());
    card.setBody(templates.value(labels::Body).toString());
    card.recordShown(templates);
    for (int line = 0; line < session::CardSession::HeaderLines; ++line)
        card.setCaption(line, values.captions[std::size_t(line)]);
    card.setPrintsCompany(values.printsCompany);
    card.setPrintsSignature(values.printsSignature);
    card.setLogo(values.logo);
}

TEST_F(RecordOnShowTest, theCardSaysWhatDiffersFromTheStoredTemplate)
{
    using Part = session::CardSession::Part;
    using Parts = session::CardSession::Parts;
    struct Case {
        const char* what;
        std::function<void(session::CardSession&)> edit;
        Parts differs;
    };
    const std::vector<Case> cases = {
        {"nothing touched", [](session::CardSession&) {}, {}},
        {"title typed", [](session::CardSession& c) { c.setTitle(0, "Annual 2"); }, Part::Title},
        {"body typed", [](session::CardSession& c) { c.setBody("Annual body."); }, Part::Body},
        {"body typed back", [](session::CardSession& c) {
             c.setBody("x");
             c.setBody("Annual body");
         }, {}},
        {"caption", [](session::CardSession& c) { c.setCaption(5, "S.M.O.H."); }, Part::Captions},
        {"option", [](session::CardSession& c) { c.setPrintsCompany(!c.printsCompany()); },
         Part::Options},
        {"logo chosen", [](session::CardSession& c) { c.setLogo("/logos/shop.png"); }, Part::Logo},
        {"font chosen (written at once)",
         [](session::CardSession& c) { c.setBodyFont({"Arial", 12, false, false}); }, {}},
        {"values for the next label",
         [](session::CardSession& c) {
             c.setAircraftValue(0, "N123AB");
             c.setDate("12/10/2026");
             c.setSignatory("A. Mechanic");
         },
         {}},
        {"title and body", [](session::CardSession& c) {
             c.setTitle(0, "");
             c.setBody("");
         }, Parts(Part::Title) | Part::Body},
    };
    for (const Case& test : cases) {
        session::CardSession card;
        showAsTheCardDoes(card, cursor);
        test.edit(card);
        EXPECT_EQ(card.differsFromStored(), test.differs) << test.what;
        EXPECT_EQ(card.hasUnsavedChanges(), bool(test.differs)) << test.what;
    }
}

TEST_F(RecordOnShowTest, aRewrittenRecordKeepsTheTypingUnsavedAndANewOneComparesOnlyItsText)
{
    session::CardSession card;
    showAsTheCardDoes(card, cursor);
    card.setBody(QStringLiteral("typed"));
    // A font written meanwhile: the new version is on show, the typing is still unsaved.
    ASSERT_TRUE(cursor.edit().ok());
    cursor.setValue(labels::Size, 12.0f);
    ASSERT_TRUE(cursor.update().ok());
    card.recordRewritten(cursor);
    EXPECT_TRUE(card.recordOnShow().isCurrentIn(cursor));
    EXPECT_EQ(card.differsFromStored(), session::CardSession::Part::Body);

    // A template begun with New has nothing stored to compare its captions with.
    cursor.addNew();
    card.setTitle(0, QString());
    card.setBody(QString());
    card.recordShown(cursor);
    card.setCaption(0, QStringLiteral("Tail #"));
    EXPECT_FALSE(card.differsFromStored());
    card.setTitle(0, QStringLiteral("Fresh"));
    EXPECT_EQ(card.differsFromStored(), session::CardSession::Part::Title);
    card.enterEditing();
    EXPECT_TRUE(card.hasUnsavedChanges());
}

}  // namespace
