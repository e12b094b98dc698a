#include "CardFixture.h"

#include "mainwindow/TemplateBinding.h"

#include <QSignalSpy>

using namespace tagwright;
using mainwindow::TemplateBinding;
namespace labels = store::schema::labels;

namespace {

class TemplateBindingTest : public test::CardTest {};

TEST(BodyLineBreaks, storeAsCrLfAndShowAsNewline)
{
    EXPECT_EQ(TemplateBinding::storedBody("one\ntwo\n"), "one\r\ntwo\r\n");
    EXPECT_EQ(TemplateBinding::shownBody("one\r\ntwo\rthree"), "one\ntwo\nthree");
}

TEST_F(TemplateBindingTest, showingARecordIsNoChangeAndRunsNoBodyReaction)
{
    test::addRecord(mainDb, store::schema::LabelsTable,
                    test::templateRecord("Annual", "line one\r\nline two"));
    addTemplates({"B"});
    openWindow();
    QSignalSpy edits(&card().binding(), &TemplateBinding::bodyEdited);
    card().binding().moveNext();
    card().binding().movePrevious();
    EXPECT_EQ(controls().bodyBox->toPlainText(), "line one\nline two");
    EXPECT_FALSE(card().binding().hasUnsavedChange());
    EXPECT_EQ(edits.count(), 0);
    EXPECT_FALSE(controls().saveButton->isEnabled());
}

TEST_F(TemplateBindingTest, pagingWritesTypedTitleAndBodyToTheRecordLeft)
{
    addTemplates({"A", "B"});
    openWindow();
    QTest::keyClicks(controls().titleBoxes[0], " 1");
    controls().bodyBox->setPlainText("first\nsecond");
    clickZone(1);
    EXPECT_EQ(shownTitle(), "B");
    EXPECT_EQ(storedField("A 1", labels::Body).toString(), "first\r\nsecond");
    clickZone(1);
    EXPECT_EQ(shownTitle(), "A 1");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "first\nsecond");
}

TEST_F(TemplateBindingTest, untouchedBoxesWriteNothing)
{
    addTemplates({"A", "B"});
    openWindow();
    clickZone(1);
    clickZone(1);
    EXPECT_EQ(storedField("A", labels::Body).toString(), "A body");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TemplateBindingTest, refusedWriteIsReportedAndTheWindowStaysOnTheRecord)
{
    addTemplates({"A", "B", "C"});
    openWindow();
    controls().titleBoxes[0]->setText("c");
    controls().bodyBox->setPlainText("kept");
    clickZone(1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Change title of label");
    EXPECT_EQ(shownTitle(), "c");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "kept");
    EXPECT_TRUE(shown(controls().bodyBox));
    EXPECT_EQ(window->state().TabPos, 0);
    EXPECT_EQ(window->templates().value(labels::Body).toString(), "kept");  // still pending
    EXPECT_TRUE(controls().saveButton->isEnabled());
    EXPECT_EQ(storedField("A", labels::Body).toString(), "A body");

    controls().titleBoxes[0]->setText("A2");
    clickZone(1);
    EXPECT_EQ(shownTitle(), "B");
    EXPECT_EQ(storedField("A2", labels::Body).toString(), "kept");
}

TEST_F(TemplateBindingTest, newRecordWithTypedTitleIsWrittenWhenLeft)
{
    addTemplates({"A"});
    openWindow();
    ASSERT_TRUE(card().binding().addNew());
    window->state().NewLabel = 1;
    QTest::keyClicks(controls().titleBoxes[0], "Fresh");
    clickZone(1);
    EXPECT_EQ(window->state().NewLabel, 0);
    EXPECT_EQ(storedField("Fresh", labels::Body).toString(), "");
}

}  // namespace
