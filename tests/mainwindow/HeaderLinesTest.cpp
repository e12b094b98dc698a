#include "CardFixture.h"

#include "mainwindow/HeaderLines.h"

#include <QCheckBox>
#include <QComboBox>

using namespace tagwright;
using mainwindow::HeaderLines;

namespace {

class HeaderLinesTest : public test::CardTest {
protected:
    void SetUp() override
    {
        CardTest::SetUp();
        addTemplates({"Annual"});
        openWindow();
        ASSERT_TRUE(browsing());
    }
};

TEST(BlankCaption, comparesWithSixSpacesByCharacterCode)
{
    EXPECT_TRUE(HeaderLines::isBlankCaption(""));
    EXPECT_TRUE(HeaderLines::isBlankCaption("      "));
    EXPECT_TRUE(HeaderLines::isBlankCaption("  "));
    EXPECT_TRUE(HeaderLines::isBlankCaption("\tTach"));  // below a space from the first character
    EXPECT_FALSE(HeaderLines::isBlankCaption(" A"));
    EXPECT_FALSE(HeaderLines::isBlankCaption("Make"));
    EXPECT_FALSE(HeaderLines::isBlankCaption("       "));  // longer than six spaces
}

TEST_F(HeaderLinesTest, clearingACaptionHidesItsValueBoxAndALetterShowsIt)
{
    QLineEdit* make = find<QLineEdit>("makeCaption");
    QLineEdit* makeValue = find<QLineEdit>("makeBox");
    make->selectAll();
    QTest::keyClick(make, Qt::Key_Delete);
    EXPECT_FALSE(shown(makeValue));
    EXPECT_FALSE(browsing());
    EXPECT_TRUE(card().isEditing());
    QTest::keyClicks(make, " ");
    EXPECT_FALSE(shown(makeValue));
    QTest::keyClicks(make, "M");
    EXPECT_TRUE(shown(makeValue));
}

TEST_F(HeaderLinesTest, captionSetByCodeRunsTheSameReaction)
{
    find<QLineEdit>("smohCaption")->setText("      ");
    EXPECT_FALSE(shown(find<QLineEdit>("smohBox")));
    EXPECT_TRUE(card().isEditing());
}

TEST_F(HeaderLinesTest, signedBoxShowsAndHidesTheHintAndTheSignatoryList)
{
    QCheckBox* signedBox = find<QCheckBox>("signedCheck");
    ASSERT_TRUE(signedBox->isChecked());
    EXPECT_TRUE(shown(find<QLabel>("signatoryHint")));
    EXPECT_TRUE(shown(find<QComboBox>("signatoryList")));
    QTest::mouseClick(signedBox, Qt::LeftButton);
    EXPECT_FALSE(shown(find<QLabel>("signatoryHint")));
    EXPECT_FALSE(shown(find<QComboBox>("signatoryList")));
    EXPECT_TRUE(card().isEditing());
    signedBox->setChecked(true);
    EXPECT_TRUE(shown(find<QLabel>("signatoryHint")));
    EXPECT_TRUE(shown(find<QComboBox>("signatoryList")));
}

TEST_F(HeaderLinesTest, checkBoxSetToTheValueItShowsChangesNothing)
{
    controls().companyCheck->setChecked(controls().companyCheck->isChecked());
    controls().signedCheck->setChecked(controls().signedCheck->isChecked());
    EXPECT_TRUE(browsing());
    QTest::mouseClick(controls().companyCheck, Qt::LeftButton);
    EXPECT_TRUE(card().isEditing());
}

TEST_F(HeaderLinesTest, bodyChangeEnablesSaveButStaysBrowsing)
{
    QTest::keyClicks(controls().bodyBox, "x");
    EXPECT_TRUE(controls().saveButton->isEnabled());
    EXPECT_TRUE(controls().pageZones[0]->isEnabled());
    EXPECT_TRUE(controls().newButton->isEnabled());
    EXPECT_FALSE(card().isEditing());
}

TEST_F(HeaderLinesTest, enterWalksTheValuesThenTheBody)
{
    const char* order[] = {"registrationBox", "makeBox", "serialBox", "tachBox", "totalTimeBox", "smohBox",
                           "bodyEditor"};
    find<QLineEdit>(order[0])->setFocus();
    for (int i = 1; i < 7; ++i) {
        QTest::keyClick(window->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(window->focusWidget()->objectName(), order[i]);
    }
}

TEST_F(HeaderLinesTest, enterPassesOverHiddenValueBoxes)
{
    find<QLineEdit>("makeCaption")->clear();   // Make
    find<QLineEdit>("tachCaption")->clear();   // Tach
    find<QLineEdit>("smohCaption")->clear();   // SMOH
    find<QLineEdit>("registrationBox")->setFocus();
    QTest::keyClick(window->focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(window->focusWidget()->objectName(), "serialBox");
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->focusWidget()->objectName(), "totalTimeBox");
    QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(window->focusWidget()->objectName(), "bodyEditor");
}

}  // namespace
