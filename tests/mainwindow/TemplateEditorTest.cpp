#include "CardFixture.h"

#include "session/MainState.h"
#include "mainwindow/TemplateEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>

#include <functional>
#include <tuple>

using namespace tagwright;
using test::addRecord;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

class TemplateEditorTest : public test::CardTest {
protected:
    // Active, so that focus moves as it would for a user.
    void open()
    {
        openWindow();
        window->setProgramEnd([this] { ++programEnds; });
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void typeBody(const QString& text)
    {
        controls().bodyBox->setFocus();
        QTest::keyClicks(controls().bodyBox, text);
    }

    // Leaving a title box the way a Tab press or a click elsewhere does.
    void leaveTitleBox(int index)
    {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(controls().titleBoxes[std::size_t(index)], &focusOut);
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Typing over the whole title as a user does, and leaving the box with Tab.
    void typeTitle(int index, const QString& text)
    {
        QLineEdit* box = controls().titleBoxes[std::size_t(index)];
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    void tabOutOfTitle(int index)
    {
        QTest::keyClick(controls().titleBoxes[std::size_t(index)], Qt::Key_Tab);
    }

    void expectTitleNeededMessage(std::size_t count)
    {
        ASSERT_EQ(dialogs.messages.size(), count);
        EXPECT_EQ(dialogs.messages.back().title, "Label title needed");
        EXPECT_TRUE(dialogs.messages.back().text.contains("needs a title"))
            << dialogs.messages.back().text.toStdString();
    }

    QStringList storedTitles()
    {
        QStringList titles;
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(mainDb, schema::LabelsTable).ok());
        for (; !cursor.eof(); cursor.moveNext())
            titles << cursor.value(labels::Description).toString();
        return titles;
    }

    // PageDown answered: save the card's changes first.
    void pageSaving()
    {
        dialogs.choiceAnswers = {QStringLiteral("Save")};
        card().pageForward();
    }

    QString currentTitle() { return window->session().storedTemplate().title; }
    int newLabel() const { return int(window->state().NewLabel); }

    void reopenDatabase(store::Database::Access access)
    {
        const QString path = mainDb.path();
        mainDb.close();
        ASSERT_TRUE(mainDb.open(path, schema::mainTables(), access).ok());
    }

    void expectDuplicateMessage(std::size_t count)
    {
        ASSERT_EQ(dialogs.messages.size(), count);
        const test::FakeDialogs::Message& message = dialogs.messages.back();
        EXPECT_EQ(message.icon, QMessageBox::Critical);
        EXPECT_EQ(message.title, "Duplicate label title");
        EXPECT_EQ(message.text, "Change title of label");
    }

    int programEnds = 0;
};

TEST_F(TemplateEditorTest, newKeepsTheSettingsOnShowAndTheCommittedTitleAddsTheTemplate)
{
    addTemplates({"Annual", "Tires"});
    open();
    typeBody("typed before New ");
    click(controls().newButton);
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "typed before New Annual body");

    EXPECT_EQ(newLabel(), 1);
    EXPECT_EQ(shownTitleTab(), 0);
    EXPECT_EQ(shownTitle(), "");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "");
    EXPECT_EQ(QApplication::focusWidget(), controls().titleBoxes[0]);
    EXPECT_TRUE(controls().companyCheck->isChecked());
    EXPECT_EQ(controls().captionBoxes[0]->text(), "Reg #");
    EXPECT_FALSE(card().isEditing());

    controls().titleBoxes[0]->setText("Magneto");
    controls().bodyBox->setPlainText("Timed both mags");
    leaveTitleBox(0);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires", "Magneto"}));
    EXPECT_EQ(newLabel(), 0);
    EXPECT_EQ(currentTitle(), "Magneto");
    EXPECT_TRUE(window->session().storedTemplate().stored());
    EXPECT_TRUE(dialogs.messages.empty());

    controls().captionBoxes[5]->setText("Prop");
    click(controls().saveButton);
    EXPECT_EQ(storedField("Magneto", labels::Body).toString(), "Timed both mags");
    EXPECT_EQ(storedField("Magneto", labels::Header).toInt(), 1);
    EXPECT_EQ(storedField("Magneto", labels::Font).toString(), "Arial");
    EXPECT_EQ(storedField("Magneto", labels::LabelBottom).toString(), "Prop");
    EXPECT_EQ(storedField("Magneto", labels::LeftTop).toString(), "Reg #");
    EXPECT_TRUE(browsing());
}

TEST_F(TemplateEditorTest, pagingFromANewTemplatesTitleAsksAndSaveAddsItAsTheLastGoingOnFromThere)
{
    addTemplates({"Annual", "Tires", "Oil Change"});
    open();
    for (const auto& [key, title, tab] : {std::tuple{Qt::Key_PageDown, "Magneto", 0},
                                          std::tuple{Qt::Key_PageUp, "Brakes", 2}}) {
        click(controls().newButton);
        typeTitle(0, QString::fromLatin1(title));
        dialogs.choiceAnswers = {QStringLiteral("Save")};
        QTest::keyClick(controls().titleBoxes[0], key);
        // Forward from the last template wraps to the first, tab at the left; back from it
        // is the template before, tab at the right.
        EXPECT_EQ(storedTitles().last(), title);
        EXPECT_EQ(newLabel(), 0);
        EXPECT_EQ(currentTitle(), key == Qt::Key_PageDown ? "Annual" : "Magneto");
        EXPECT_EQ(window->state().TabPos, tab) << title;
        EXPECT_TRUE(controls().titleBoxes[std::size_t(tab)]->isVisible()) << title;
    }
}

TEST_F(TemplateEditorTest, aTakenTitleInAnyLetterCaseAsksForAnotherUntilAFreeOneIsLeft)
{
    addTemplates({"Annual", "Tires"});
    open();
    click(controls().newButton);
    controls().titleBoxes[0]->setText("ANNUAL");
    leaveTitleBox(0);
    expectDuplicateMessage(1);
    EXPECT_EQ(controls().titleBoxes[0]->text(), "Error 3022");
    EXPECT_EQ(newLabel(), 1);
    EXPECT_EQ(storedTitles().size(), 2);

    controls().titleBoxes[0]->setText("Annual 100 hr");
    leaveTitleBox(0);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires", "Annual 100 hr"}));
    EXPECT_EQ(newLabel(), 0);
    EXPECT_EQ(currentTitle(), "Annual 100 hr");
}

TEST_F(TemplateEditorTest, renamingAMiddleTemplateStaysOnItAndATakenTitleIsRefused)
{
    addTemplates({"Annual", "Tires", "ELT"});
    open();
    clickZone(1);
    const qint64 tires = window->session().storedTemplate().key.id;
    controls().titleBoxes[1]->setText("Tires and tubes");
    leaveTitleBox(1);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires and tubes", "ELT"}));
    EXPECT_EQ(window->session().storedTemplate().key.id, tires);
    EXPECT_EQ(window->state().TabPos, 1);

    controls().titleBoxes[1]->setText("elt");
    leaveTitleBox(1);
    expectDuplicateMessage(1);
    EXPECT_EQ(controls().titleBoxes[1]->text(), "Error 3022");
    EXPECT_EQ(window->session().storedTemplate().key.id, tires);
    EXPECT_EQ(newLabel(), 0);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires and tubes", "ELT"}));
}

TEST_F(TemplateEditorTest, leavingAnEmptyOrUnchangedTitleBox)
{
    addTemplates({"Annual"});
    open();
    // Unchanged: the record is written as it stands, and typed body text with it.
    controls().bodyBox->setPlainText("Replaced ELT battery");
    leaveTitleBox(0);
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "Replaced ELT battery");

    // Emptied: nothing is written, so a template never loses its title this way.
    controls().titleBoxes[0]->clear();
    leaveTitleBox(0);
    EXPECT_EQ(storedTitles(), QStringList({"Annual"}));
    controls().titleBoxes[0]->setText("Annual");

    click(controls().newButton);
    leaveTitleBox(0);
    EXPECT_EQ(newLabel(), 1);
    EXPECT_EQ(storedTitles(), QStringList({"Annual"}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TemplateEditorTest, saveWithoutATitleWritesNothingAndStaysEnabled)
{
    addTemplates({"Annual"});
    open();
    click(controls().newButton);
    typeBody("No title yet");
    ASSERT_TRUE(controls().saveButton->isEnabled());
    click(controls().saveButton);
    EXPECT_EQ(storedTitles(), QStringList({"Annual"}));
    EXPECT_TRUE(controls().saveButton->isEnabled());
    EXPECT_EQ(newLabel(), 1);
    EXPECT_EQ(controls().bodyBox->toPlainText(), "No title yet");
}

TEST_F(TemplateEditorTest, saveWritesEveryFieldTheWindowHoldsAndReturnsToBrowsing)
{
    addTemplates({"Annual", "Tires"});
    open();
    controls().companyCheck->setChecked(false);
    window->session().setBodyFont({QStringLiteral("Courier New"), 11.5f, true, true});
    window->session().setLogo("/logos/shop.bmp");
    const char* captions[] = {"Reg", "Model", "S/N", "Hobbs", "TT", ""};
    for (std::size_t line = 0; line < 6; ++line)
        controls().captionBoxes[line]->setText(captions[line]);
    ASSERT_FALSE(browsing());

    click(controls().saveButton);
    const std::pair<const QString&, QVariant> expected[] = {
        {labels::Header, 0}, {labels::Signed, 1}, {labels::Font, "Courier New"},
        {labels::Size, 11.5}, {labels::Bold, 1}, {labels::Italic, 1},
        {labels::Logo, "/logos/shop.bmp"}, {labels::LabelTop, "Hobbs"},
        {labels::LabelMiddle, "TT"}, {labels::LabelBottom, ""}, {labels::LeftTop, "Reg"},
        {labels::LeftMiddle, "Model"}, {labels::LeftBottom, "S/N"},
    };
    for (const auto& [field, value] : expected)
        EXPECT_EQ(storedField("Annual", field).toString(), value.toString()) << field.toStdString();
    EXPECT_EQ(storedField("Tires", labels::LeftTop).toString(), "Reg #");
    EXPECT_TRUE(browsing());
    EXPECT_TRUE(window->session().storedTemplate().stored());
}

TEST_F(TemplateEditorTest, saveOfANewTemplateWhoseTitleWasNeverLeftMakesItCurrent)
{
    addTemplates({"Annual", "Tires"});
    open();
    window->templateEditor().NewTemplate();
    controls().titleBoxes[0]->setText("Pitot static");
    window->templateEditor().SaveTemplate();
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires", "Pitot static"}));
    EXPECT_EQ(storedField("Pitot static", labels::LabelTop).toString(), "Tach");
    EXPECT_EQ(currentTitle(), "Pitot static");
    EXPECT_EQ(newLabel(), 0);
}

TEST_F(TemplateEditorTest, deleteShowsTheFirstTitleAndBodyButKeepsTheOtherFields)
{
    addTemplates({"Annual"});
    QVariantMap tires = test::templateRecord("Tires", "Tires body");
    tires[labels::LeftTop] = QStringLiteral("Tail");
    tires[labels::Signed] = 0;
    addRecord(mainDb, schema::LabelsTable, tires);
    open();
    clickZone(1);
    controls().bodyBox->setPlainText("typed into the doomed template");
    click(controls().deleteButton);
    EXPECT_EQ(storedTitles(), QStringList({"Annual"}));
    EXPECT_EQ(shownTitle(), "Annual");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Annual body");
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "Annual body");
    EXPECT_EQ(controls().captionBoxes[0]->text(), "Tail");
    EXPECT_FALSE(controls().signedCheck->isChecked());
    EXPECT_EQ(newLabel(), 0);
}

TEST_F(TemplateEditorTest, deletingTheLastTemplateEmptiesTheTableAndThenDoesNothing)
{
    addTemplates({"Annual"});
    open();
    click(controls().deleteButton);
    EXPECT_TRUE(storedTitles().isEmpty());
    EXPECT_EQ(shownTitle(), "");
    EXPECT_EQ(controls().captionBoxes[1]->text(), "Make");
    EXPECT_TRUE(controls().companyCheck->isChecked());

    click(controls().deleteButton);
    EXPECT_TRUE(dialogs.messages.empty());

    // A title typed on the empty card begins a template of its own.
    controls().titleBoxes[0]->setText("Fresh start");
    leaveTitleBox(0);
    EXPECT_EQ(storedTitles(), QStringList({"Fresh start"}));
    EXPECT_EQ(newLabel(), 0);
}

TEST_F(TemplateEditorTest, deleteWithAnEmptyTableDoesNothing)
{
    open();
    ASSERT_EQ(newLabel(), 1);
    click(controls().deleteButton);
    EXPECT_EQ(newLabel(), 1);
    EXPECT_TRUE(storedTitles().isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TemplateEditorTest, deleteOfANewUnwrittenTemplateDropsOnlyIt)
{
    addTemplates({"Annual", "Tires"});
    open();
    click(controls().newButton);
    click(controls().deleteButton);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires"}));
    EXPECT_EQ(shownTitle(), "Annual");
    EXPECT_EQ(newLabel(), 0);
}

TEST_F(TemplateEditorTest, readOnlyFileDuringSaveIsReportedAndTheSaveCanBeRetried)
{
    addTemplates({"Annual"});
    reopenDatabase(store::Database::Access::ReadOnly);
    open();
    controls().captionBoxes[3]->setText("Hobbs");
    typeBody("Kept as typed ");
    click(controls().saveButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Template not saved");
    EXPECT_TRUE(dialogs.messages[0].text.contains("readonly")) << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.contains(mainDb.path()));
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Kept as typed Annual body");
    EXPECT_TRUE(controls().saveButton->isEnabled());

    reopenDatabase(store::Database::Access::ReadWrite);
    click(controls().saveButton);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "Kept as typed Annual body");
    EXPECT_EQ(storedField("Annual", labels::LabelTop).toString(), "Hobbs");
    EXPECT_TRUE(browsing());
}

TEST_F(TemplateEditorTest, readOnlyFileDuringTitleCommitAndDeleteKeepsTheWindowAsItWas)
{
    addTemplates({"Annual"});
    reopenDatabase(store::Database::Access::ReadOnly);
    open();
    click(controls().deleteButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Template not deleted");
    EXPECT_EQ(storedTitles(), QStringList({"Annual"}));
    EXPECT_EQ(shownTitle(), "Annual");

    click(controls().newButton);
    controls().titleBoxes[0]->setText("Compass swing");
    leaveTitleBox(0);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].title, "Template not saved");
    EXPECT_EQ(controls().titleBoxes[0]->text(), "Compass swing");
    EXPECT_EQ(newLabel(), 1);
}

TEST_F(TemplateEditorTest, closingWithUnsavedChangesAsksToSaveDiscardOrCancel)
{
    addTemplates({"Annual"});
    open();
    // Nothing unsaved: the program ends at once.
    window->close();
    EXPECT_EQ(programEnds, 1);
    EXPECT_TRUE(dialogs.questions.empty());

    window->show();
    typeBody("typed ");
    ASSERT_TRUE(controls().exitButton->isEnabled());
    click(controls().exitButton);  // cancelled
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Unsaved changes");
    EXPECT_EQ(dialogs.questionChoices[0], QStringList({"Save", "Discard"}));  // and Cancel
    EXPECT_EQ(programEnds, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(controls().bodyBox->toPlainText(), "typed Annual body");
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "Annual body");

    dialogs.choiceAnswers = {"Save"};
    window->close();
    EXPECT_EQ(programEnds, 2);
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "typed Annual body");

    // A changed caption (editing, where Exit is off) asks too; Discard writes nothing.
    window->show();
    controls().captionBoxes[3]->setText("Hobbs");
    dialogs.choiceAnswers = {"Discard"};
    window->close();
    EXPECT_EQ(dialogs.questions.size(), 3u);
    EXPECT_EQ(programEnds, 3);
    EXPECT_EQ(storedField("Annual", labels::LabelTop).toString(), "Tach");

    // A logo chosen, which the template takes only when saved, asks as well.
    window->show();
    controls().captionBoxes[3]->setText("Tach");
    window->session().leaveEditing();
    ASSERT_FALSE(window->session().hasUnsavedChanges());
    window->session().setLogo("/logos/shop.bmp");
    dialogs.choiceAnswers = {"Save"};
    window->close();
    EXPECT_EQ(dialogs.questions.size(), 4u);
    EXPECT_EQ(programEnds, 4);
    EXPECT_EQ(storedField("Annual", labels::Logo).toString(), "/logos/shop.bmp");
}

TEST_F(TemplateEditorTest, closingKeepsTheWindowWhenTheSaveFails)
{
    addTemplates({"Annual"});
    open();
    typeBody("typed ");
    reopenDatabase(store::Database::Access::ReadOnly);
    dialogs.choiceAnswers = {"Save"};
    window->close();
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(controls().bodyBox->toPlainText(), "typed Annual body");
}

TEST_F(TemplateEditorTest, onlyMovingTheFocusWithinTheWindowCommits)
{
    addTemplates({"Annual", "Tires"});
    open();
    QLineEdit* title = controls().titleBoxes[0];
    title->setFocus();
    title->setText("tires");

    // Another window taking the focus (a message box, another program) is no commit.
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(title, &deactivated);
    EXPECT_TRUE(dialogs.messages.empty());

    controls().bodyBox->setFocus();
    expectDuplicateMessage(1);
    EXPECT_EQ(title->text(), "Error 3022");
}

TEST_F(TemplateEditorTest, theTemplatesOwnTitleInAnyLetterCaseIsFreeAfterARefusal)
{
    addTemplates({"Annual Inspection", "Oil Change"});
    open();
    typeTitle(0, "oil change");
    tabOutOfTitle(0);
    expectDuplicateMessage(1);
    EXPECT_EQ(controls().titleBoxes[0]->text(), "Error 3022");

    typeTitle(0, "Annual Inspection");
    tabOutOfTitle(0);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(storedTitles(), QStringList({"Annual Inspection", "Oil Change"}));

    typeTitle(0, "oil change");
    tabOutOfTitle(0);
    expectDuplicateMessage(2);
    typeTitle(0, "ANNUAL inspection");
    tabOutOfTitle(0);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(storedTitles(), QStringList({"ANNUAL inspection", "Oil Change"}));
    EXPECT_EQ(currentTitle(), "ANNUAL inspection");
}

TEST_F(TemplateEditorTest, everyDuplicateTitleRefusalShowsTheDuplicateMessage)
{
    addTemplates({"Annual", "Tires"});
    open();
    const qint64 annual = window->session().storedTemplate().key.id;
    controls().bodyBox->setFocus();
    controls().titleBoxes[0]->setText("TIRES");
    pageSaving();
    expectDuplicateMessage(1);
    EXPECT_EQ(window->session().storedTemplate().key.id, annual);
    EXPECT_EQ(shownTitle(), "TIRES");
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires"}));

    click(controls().newButton);
    expectDuplicateMessage(2);
    EXPECT_EQ(newLabel(), 0);
}

TEST_F(TemplateEditorTest, theRefusalMarkerIsNeverStoredAsATitle)
{
    addTemplates({"Annual", "Tires"});
    open();
    // An existing template left while its box holds the refusal keeps its stored title.
    typeTitle(0, "tires");
    tabOutOfTitle(0);
    ASSERT_EQ(controls().titleBoxes[0]->text(), "Error 3022");
    typeBody("typed ");
    pageSaving();
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires"}));
    EXPECT_EQ(storedField("Annual", labels::Body).toString(), "typed Annual body");
    EXPECT_EQ(shownTitle(), "Tires");

    typeTitle(1, "annual");
    tabOutOfTitle(1);
    ASSERT_EQ(controls().titleBoxes[1]->text(), "Error 3022");
    click(controls().newButton);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires"}));
    EXPECT_EQ(newLabel(), 1);

    // A new template has no stored title to keep: it waits for one.
    typeTitle(0, "ANNUAL");
    tabOutOfTitle(0);
    ASSERT_EQ(controls().titleBoxes[0]->text(), "Error 3022");
    const std::size_t shownBefore = dialogs.messages.size();
    pageSaving();
    expectTitleNeededMessage(shownBefore + 1);
    click(controls().saveButton);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires"}));
    EXPECT_EQ(newLabel(), 1);
}

TEST_F(TemplateEditorTest, aTemplateWithoutATitleIsRefusedWithAMessageAndTheTypingKept)
{
    addTemplates({"Annual", "Tires"});
    open();
    click(controls().newButton);
    typeBody("Body without a title");
    pageSaving();
    expectTitleNeededMessage(1);
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Body without a title");
    EXPECT_EQ(newLabel(), 1);
    EXPECT_TRUE(controls().saveButton->isEnabled());

    click(controls().saveButton);
    expectTitleNeededMessage(2);
    click(controls().newButton);
    expectTitleNeededMessage(3);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires"}));
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Body without a title");

    // Titled, the same template is stored.
    typeTitle(0, "Magneto");
    click(controls().saveButton);
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires", "Magneto"}));
    EXPECT_EQ(storedField("Magneto", labels::Body).toString(), "Body without a title");

    // An existing template emptied of its title is not left that way either.
    typeTitle(0, "");
    tabOutOfTitle(0);
    EXPECT_EQ(dialogs.messages.size(), 3u);  // leaving an empty box is no commit
    pageSaving();
    expectTitleNeededMessage(4);
    EXPECT_EQ(shownTitle(), "");
    EXPECT_EQ(storedTitles(), QStringList({"Annual", "Tires", "Magneto"}));
}

// A second window (another program, another workstation) on the same file.
class TwoWindowsTest : public TemplateEditorTest {
protected:
    void otherWindowChanges(const QString& title, const std::function<store::StoreError(store::TableCursor&)>& change)
    {
        store::Database other;
        ASSERT_TRUE(other.open(mainDb.path(), schema::mainTables()).ok());
        store::TableCursor cursor;
        ASSERT_TRUE(cursor.open(other, schema::LabelsTable).ok());
        ASSERT_TRUE(cursor.findFirst(labels::Description, title));
        ASSERT_TRUE(change(cursor).ok());
    }

    static store::StoreError setBody(store::TableCursor& cursor, const QString& body)
    {
        EXPECT_TRUE(cursor.edit().ok());
        EXPECT_TRUE(cursor.setValue(labels::Body, body).ok());
        return cursor.update();
    }
};

TEST_F(TwoWindowsTest, savingOverAChangeMadeElsewhereAsksAndReloadShowsTheirs)
{
    addTemplates({"Oil Change", "Tires"});
    open();
    otherWindowChanges("Oil Change", [](store::TableCursor& c) { return setBody(c, "theirs"); });
    typeBody("mine ");
    click(controls().saveButton);

    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Template changed elsewhere");
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "theirs");
    // Cancelled: nothing written, the typing stays, Save stays on for another try.
    EXPECT_EQ(controls().bodyBox->toPlainText(), "mine Oil Change body");
    EXPECT_TRUE(controls().saveButton->isEnabled());

    dialogs.choiceAnswers = {"Reload"};
    click(controls().saveButton);
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "theirs");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "theirs");
    EXPECT_EQ(shownTitle(), "Oil Change");
    EXPECT_TRUE(browsing());

    // From the reloaded version a save goes through.
    typeBody("again ");
    click(controls().saveButton);
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "again theirs");
}

TEST_F(TwoWindowsTest, savingOverAChangeMadeElsewhereCanOverwriteWhenTheUserSaysSo)
{
    addTemplates({"Oil Change"});
    open();
    otherWindowChanges("Oil Change", [](store::TableCursor& c) { return setBody(c, "theirs"); });
    typeBody("mine ");
    dialogs.choiceAnswers = {"Save mine over it"};
    click(controls().saveButton);
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "mine Oil Change body");
    EXPECT_TRUE(browsing());
}

TEST_F(TwoWindowsTest, theOverwriteChoiceHoldsOnlyForTheVersionTheQuestionShowed)
{
    addTemplates({"Oil Change"});
    open();
    otherWindowChanges("Oil Change", [](store::TableCursor& c) { return setBody(c, "theirs"); });
    typeBody("mine ");
    // While the question is up they save once more.
    dialogs.whileAsking = [this] {
        if (dialogs.questions.size() == 1)
            otherWindowChanges("Oil Change", [](store::TableCursor& c) { return setBody(c, "theirs again"); });
    };
    dialogs.choiceAnswers = {"Save mine over it"};
    click(controls().saveButton);
    ASSERT_EQ(dialogs.questions.size(), 2u);  // asked again, and cancelled
    EXPECT_EQ(dialogs.questions[1].title, "Template changed elsewhere");
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "theirs again");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "mine Oil Change body");

    dialogs.choiceAnswers = {"Save mine over it"};
    click(controls().saveButton);
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "mine Oil Change body");
    EXPECT_TRUE(browsing());
}

TEST_F(TwoWindowsTest, savingATemplateDeletedElsewhereNeverWritesOverTheirNewOne)
{
    addTemplates({"Oil Change"});
    open();
    // They delete it and add another: the file would hand out its row number again.
    otherWindowChanges("Oil Change", [](store::TableCursor& c) {
        if (store::StoreError error = c.deleteCurrent(); !error.ok())
            return error;
        EXPECT_TRUE(c.addNew().ok());
        EXPECT_TRUE(c.setValue(labels::Description, QStringLiteral("Brake Job")).ok());
        EXPECT_TRUE(c.setValue(labels::Body, QStringLiteral("pads")).ok());
        return c.update();
    });
    typeBody("mine ");
    click(controls().saveButton);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Template deleted elsewhere");
    EXPECT_EQ(storedTitles(), QStringList({"Brake Job"}));
    EXPECT_EQ(storedField("Brake Job", labels::Body).toString(), "pads");
    EXPECT_TRUE(controls().saveButton->isEnabled());

    dialogs.choiceAnswers = {"Keep as new template"};
    dialogs.textAnswer = QStringLiteral("Oil Change");
    click(controls().saveButton);
    ASSERT_EQ(dialogs.textAsked.size(), 1u);
    EXPECT_EQ(dialogs.textAsked[0].second, "Oil Change");
    EXPECT_EQ(storedTitles(), QStringList({"Brake Job", "Oil Change"}));
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "mine Oil Change body");
    EXPECT_EQ(storedField("Brake Job", labels::Body).toString(), "pads");
    EXPECT_EQ(shownTitle(), "Oil Change");
    EXPECT_TRUE(browsing());
}

// Kept as new beside a template changed elsewhere, the typing needs a title of its own: it is
// asked for, and cancelling that box writes nothing.
TEST_F(TwoWindowsTest, keepingATemplateChangedElsewhereAsNewAsksForItsTitle)
{
    addTemplates({"Oil Change"});
    open();
    otherWindowChanges("Oil Change", [](store::TableCursor& c) { return setBody(c, "theirs"); });
    typeBody("mine ");
    dialogs.choiceAnswers = {"Keep as new template"};
    click(controls().saveButton);
    ASSERT_EQ(dialogs.textAsked.size(), 1u);
    EXPECT_EQ(dialogs.textAsked[0], std::pair(QStringLiteral("Keep as new template"), QStringLiteral("Oil Change (mine)")));
    EXPECT_EQ(storedTitles(), QStringList({"Oil Change"}));
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.choiceAnswers = {"Keep as new template"};
    dialogs.textAnswer = QStringLiteral("Oil Change, N005TW");
    click(controls().saveButton);
    EXPECT_EQ(storedTitles(), QStringList({"Oil Change", "Oil Change, N005TW"}));
    EXPECT_EQ(storedField("Oil Change", labels::Body).toString(), "theirs");
    EXPECT_EQ(storedField("Oil Change, N005TW", labels::Body).toString(), "mine Oil Change body");
    EXPECT_EQ(shownTitle(), "Oil Change, N005TW");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TwoWindowsTest, deletingATemplateChangedElsewhereIsRefusedAndShowsTheirs)
{
    addTemplates({"Oil Change"});
    open();
    otherWindowChanges("Oil Change", [](store::TableCursor& c) { return setBody(c, "theirs"); });
    click(controls().deleteButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Template not deleted");
    EXPECT_EQ(storedTitles(), QStringList({"Oil Change"}));
    EXPECT_EQ(controls().bodyBox->toPlainText(), "theirs");
}

}  // namespace
