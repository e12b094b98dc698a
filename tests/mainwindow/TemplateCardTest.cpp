#include "CardFixture.h"

#include "session/MainState.h"

#include <QCheckBox>

#include <functional>

using namespace tagwright;
using test::addRecord;
namespace schema = store::schema;

namespace {

const QStringList BarsAt[3] = {{"tabBar3", "tabBar5", "tabBar7"},
                               {"tabBar1", "tabBar6", "tabBar8"},
                               {"tabBar2", "tabBar4", "tabBar9"}};

// Counts the PageDown presses that reach a widget.
struct KeySpy : QObject {
    int pageDowns = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_PageDown)
            ++pageDowns;
        return false;
    }
};

class TemplateCardTest : public test::CardTest {
protected:
    // Templates whose captions and options differ, so that every display step passes
    // through the change reactions.
    void addVariedTemplates()
    {
        addRecord(mainDb, schema::LabelsTable, test::templateRecord("Annual", "Annual body"));
        QVariantMap plain = test::templateRecord("Oil Change", "Oil Change body");
        plain[schema::labels::Header] = 0;
        plain[schema::labels::Signed] = QVariant();
        plain[schema::labels::LeftMiddle] = QStringLiteral("      ");
        plain[schema::labels::LabelBottom] = QVariant();
        addRecord(mainDb, schema::LabelsTable, plain);
        addRecord(mainDb, schema::LabelsTable, test::templateRecord("ELT", "ELT body"));
    }

    void expectShowing(const QString& title, int tabPos)
    {
        EXPECT_EQ(shownTitle(), title);
        EXPECT_EQ(window->state().TabPos, tabPos) << title.toStdString();
        EXPECT_EQ(shownBars(), BarsAt[tabPos]) << title.toStdString();
        EXPECT_EQ(controls().bodyBox->toPlainText(), title + " body");
        EXPECT_TRUE(shown(controls().bodyBox));
        EXPECT_TRUE(browsing()) << title.toStdString();
    }
};

TEST_F(TemplateCardTest, activationShowsTheDefaultTemplateAtTabZeroInBrowsingMode)
{
    addVariedTemplates();
    setDefaultLabel("oil change");
    openWindow();
    expectShowing("Oil Change", 0);
    EXPECT_FALSE(window->state().NewLabel);
    EXPECT_FALSE(controls().companyCheck->isChecked());
    EXPECT_FALSE(controls().signedCheck->isChecked());
    EXPECT_TRUE(shown(controls().valueBoxes[0]));
    EXPECT_FALSE(shown(controls().valueBoxes[1]));  // "Make" spaced out
    EXPECT_FALSE(shown(controls().valueBoxes[5]));  // "SMOH" missing
    EXPECT_EQ(controls().captionBoxes[5]->text(), "");
    const QFont font = controls().bodyBox->font();
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 10.0);
    EXPECT_FALSE(font.bold());
}

TEST_F(TemplateCardTest, defaultTextEmptyOrNamingNoTemplateShowsTheFirst)
{
    addVariedTemplates();
    openWindow();
    expectShowing("Annual", 0);

    window.reset();
    setDefaultLabel("Gone Template");
    openWindow();
    expectShowing("Annual", 0);
}

TEST_F(TemplateCardTest, emptyTableBeginsABlankNewRecordWithDefaults)
{
    openWindow();
    EXPECT_TRUE(window->state().NewLabel);
    EXPECT_FALSE(window->session().storedTemplate().stored());
    EXPECT_EQ(shownTitle(), "");
    for (const QLineEdit* caption : controls().captionBoxes)
        EXPECT_EQ(caption->text(), "") << caption->objectName().toStdString();
    for (const QLineEdit* value : controls().valueBoxes)
        EXPECT_FALSE(shown(value)) << value->objectName().toStdString();
    const QFont font = controls().bodyBox->font();
    EXPECT_EQ(font.family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_FALSE(controls().companyCheck->isChecked());
    EXPECT_FALSE(controls().signedCheck->isChecked());
    EXPECT_TRUE(browsing());
}

TEST_F(TemplateCardTest, pagingAnEmptyTableOnlyDisablesSave)
{
    openWindow();
    QTest::keyClicks(controls().bodyBox, "typed");
    ASSERT_TRUE(controls().saveButton->isEnabled());
    clickZone(1);
    clickZone(4);
    EXPECT_FALSE(controls().saveButton->isEnabled());
    EXPECT_TRUE(window->state().NewLabel);
    EXPECT_EQ(window->state().TabPos, 0);
    EXPECT_FALSE(window->session().storedTemplate().stored());
    EXPECT_EQ(controls().bodyBox->toPlainText(), "typed");
}

TEST_F(TemplateCardTest, pagingForwardWrapsFromTheLastToTheFirstAtTabZero)
{
    addTemplates({"A", "B", "C"});
    setDefaultLabel("B");
    openWindow();
    clickZone(1);
    expectShowing("C", 1);
    EXPECT_EQ(window->session().storedTemplate().title, "C");
    clickZone(2);
    expectShowing("A", 0);
    clickZone(2);
    expectShowing("B", 1);
}

TEST_F(TemplateCardTest, everyDisplayStepEndsBrowsingAfterTheReactionsRan)
{
    addVariedTemplates();
    openWindow();
    for (int step = 0; step < 4; ++step) {
        clickZone(1);
        EXPECT_TRUE(browsing()) << step;
        EXPECT_FALSE(card().isEditing()) << step;
    }
}

TEST_F(TemplateCardTest, editModeDisablesPagingByZonesAndKeys)
{
    addTemplates({"A", "B"});
    openWindow();
    card().EnterEditMode();
    EXPECT_FALSE(controls().pageZones[0]->isEnabled());
    EXPECT_TRUE(controls().saveButton->isEnabled());
    clickZone(1);
    KeySpy spy;
    controls().valueBoxes[0]->installEventFilter(&spy);
    QTest::keyClick(controls().valueBoxes[0], Qt::Key_PageDown);
    EXPECT_EQ(shownTitle(), "A");
    EXPECT_EQ(spy.pageDowns, 1);  // the key is the box's own again
    card().LeaveEditMode();
    EXPECT_TRUE(browsing());
}

TEST_F(TemplateCardTest, pageKeysPageWhereverTheFocusIs)
{
    addTemplates({"A", "B", "C"});
    openWindow();
    QTest::keyClick(controls().valueBoxes[0], Qt::Key_PageDown);
    expectShowing("B", 1);
    QTest::keyClick(controls().bodyBox, Qt::Key_PageDown);
    expectShowing("C", 2);
    QTest::keyClick(controls().bodyBox, Qt::Key_PageUp);
    expectShowing("B", 1);
}

TEST_F(TemplateCardTest, showTitleTabEmptiesValuesAndFollowsTheBarTable)
{
    addTemplates({"A"});
    openWindow();
    for (int position : {1, 2, 0}) {
        controls().valueBoxes[2]->setText("N12345");
        card().ShowTitleTab(position);
        EXPECT_EQ(shownTitleTab(), position);
        EXPECT_EQ(shownBars(), BarsAt[position]);
        EXPECT_EQ(window->state().TabPos, position);
        EXPECT_EQ(controls().valueBoxes[2]->text(), "");
    }
}

TEST_F(TemplateCardTest, thePrintRequestCarriesTheCaptionsAndOptionsEachDisplayStepShows)
{
    QVariantMap other = test::templateRecord(QStringLiteral("Other"), QStringLiteral("Other body"));
    other[schema::labels::LeftTop] = QStringLiteral("Tail #");
    other[schema::labels::LabelBottom] = QString();
    other[schema::labels::Header] = 0;
    addRecord(mainDb, schema::LabelsTable, test::templateRecord(QStringLiteral("Usual")));
    addRecord(mainDb, schema::LabelsTable, other);
    openWindow();
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"shown first", [] {}},
        {"paged forward", [&] { card().pageForward(); }},
        {"paged back", [&] { card().pageBack(); }},
    };
    for (const auto& [step, act] : steps) {
        act();
        const auto request = window->session().printRequest().value();
        for (printing::HeaderSlot slot : printing::AllHeaderSlots) {
            EXPECT_EQ(request.label.line(slot).caption,
                      controls().captionBoxes[std::size_t(slot)]->text()) << step;
        }
        EXPECT_EQ(request.label.printsCompany, controls().companyCheck->isChecked()) << step;
        EXPECT_EQ(request.label.printsSignature, controls().signedCheck->isChecked()) << step;
    }
    EXPECT_EQ(window->session().caption(0), "Reg #");
    card().pageForward();
    EXPECT_EQ(window->session().caption(0), "Tail #");
    EXPECT_FALSE(window->session().printsCompany());
}

// An aircraft's note typed into the body is not written into the shop's template on the
// way past: PageDown asks, Cancel keeps the card as it was, Discard leaves the template as
// stored, Save writes it.
TEST_F(TemplateCardTest, pagingAwayFromAnEditedBodyAsksAndDoesWhatTheUserSays)
{
    addTemplates({"Annual", "Tires"});
    openWindow();
    const QString note = QStringLiteral("Annual body\nNext annual due 12-31-2027");
    struct Answer {
        const char* button;   // none: the question's own Cancel
        QString shownAfter;
        QString storedAfter;
    };
    const Answer answers[] = {
        {nullptr, "Annual", "Annual body"},
        {"Discard", "Tires", "Annual body"},
        {"Save", "Tires", "Annual body\r\nNext annual due 12-31-2027"},
    };
    for (const Answer& answer : answers) {
        card().showTemplate(QStringLiteral("Annual"));
        controls().bodyBox->setPlainText(note);
        controls().valueBoxes[0]->setText(QStringLiteral("N005TW"));
        dialogs.questions.clear();
        if (answer.button)
            dialogs.choiceAnswers.push_back(QString::fromLatin1(answer.button));
        QTest::keyClick(controls().bodyBox, Qt::Key_PageDown);
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_EQ(dialogs.questionChoices.back(), QStringList({"Save", "Discard"}));
        EXPECT_EQ(shownTitle(), answer.shownAfter);
        EXPECT_EQ(storedField("Annual", store::schema::labels::Body).toString(), answer.storedAfter);
        if (!answer.button) {
            EXPECT_EQ(controls().bodyBox->toPlainText(), note);
            EXPECT_EQ(controls().valueBoxes[0]->text(), "N005TW");
        }
    }
    // Nothing edited: no question.
    dialogs.questions.clear();
    card().pageForward();
    EXPECT_TRUE(dialogs.questions.empty());
}

}  // namespace
