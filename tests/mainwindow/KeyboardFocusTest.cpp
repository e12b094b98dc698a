#include "CardFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QComboBox>
#include <QTextCursor>

using namespace tagwright;

namespace {

class KeyboardFocusTest : public test::CardTest {
protected:
    void SetUp() override
    {
        CardTest::SetUp();
        addTemplates({"Annual Inspection", "Oil Change"});
        openWindow();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QString focusName() const
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("<none>");
    }

    // The controls visited by pressing `key` `count` times from `start`.
    QStringList walk(QWidget* start, Qt::Key key, Qt::KeyboardModifiers modifiers, int count)
    {
        start->setFocus(Qt::MouseFocusReason);
        QStringList names;
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            names << focusName();
        }
        return names;
    }
};

TEST_F(KeyboardFocusTest, afterSaveTheNextKeyCannotReplaceTheTitle)
{
    controls().captionBoxes[3]->setText("Hobbs");
    QTest::mouseClick(controls().saveButton, Qt::LeftButton);
    ASSERT_FALSE(controls().saveButton->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), controls().bodyBox);
    EXPECT_TRUE(controls().bodyBox->textCursor().atEnd());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
    EXPECT_EQ(shownTitle(), "Annual Inspection");
}

TEST_F(KeyboardFocusTest, pagingAndCommandsLeaveNoBoxWhoseNextKeyReplacesItsText)
{
    const auto wholeTextSelected = [] {
        const auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return box && !box->text().isEmpty() && box->selectedText() == box->text();
    };
    controls().bodyBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(controls().bodyBox, Qt::Key_PageDown);
    EXPECT_EQ(shownTitle(), "Oil Change");
    EXPECT_FALSE(wholeTextSelected()) << focusName().toStdString();
    const QString date = controls().dateBox->text();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    EXPECT_EQ(controls().dateBox->text(), date);
    EXPECT_EQ(focusName(), "bodyEditor");
}

TEST_F(KeyboardFocusTest, tabLeavesTheBodyWithoutTypingIntoIt)
{
    controls().bodyBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(controls().bodyBox, Qt::Key_Tab);
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Annual Inspection body");
    EXPECT_EQ(focusName(), "dateBox");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), "bodyEditor");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Annual Inspection body");
}

TEST_F(KeyboardFocusTest, tabMovesThroughTheCardTopToBottomThenTheButtons)
{
    const QStringList forward = {"registrationCaption", "registrationBox", "makeCaption", "makeBox",
                                 "serialCaption", "serialBox", "tachCaption", "tachBox",
                                 "totalTimeCaption", "totalTimeBox", "smohCaption", "smohBox",
                                 "bodyEditor", "dateBox", "companyCheck", "signedCheck",
                                 "signatoryList", "newButton"};
    EXPECT_EQ(walk(controls().titleBoxes[0], Qt::Key_Tab, Qt::NoModifier, int(forward.size())),
              forward);
    QStringList back = forward;
    std::reverse(back.begin(), back.end());
    back.removeFirst();
    back << "titleBox1";
    EXPECT_EQ(walk(controls().newButton, Qt::Key_Backtab, Qt::ShiftModifier, int(back.size())),
              back);
}

TEST_F(KeyboardFocusTest, ctrlYRedoesInEveryKindOfTextBoxAsCtrlShiftZDoes)
{
    QWidget* boxes[] = {controls().valueBoxes[0], controls().bodyBox,
                        controls().signatoryList->lineEdit(), controls().titleBoxes[0]};
    const auto textOf = [](QWidget* box) {
        if (auto* line = qobject_cast<QLineEdit*>(box))
            return line->text();
        return static_cast<QPlainTextEdit*>(box)->toPlainText();
    };
    controls().signedCheck->setChecked(true);
    for (QWidget* box : boxes) {
        for (const QKeyCombination redo : {QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
                                           QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)}) {
            // Setting the text afresh starts each round with an empty undo history.
            if (auto* line = qobject_cast<QLineEdit*>(box))
                line->setText(line->text());
            else
                static_cast<QPlainTextEdit*>(box)->setPlainText(textOf(box));
            box->setFocus(Qt::MouseFocusReason);
            const QString before = textOf(box);
            QTest::keyClicks(box, QStringLiteral("N12"));
            const QString typed = textOf(box);
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(textOf(box), before) << box->objectName().toStdString();
            QTest::keyClick(box, redo.key(), redo.keyboardModifiers());
            EXPECT_EQ(textOf(box), typed) << box->objectName().toStdString() << " "
                                          << QKeySequence(redo).toString().toStdString();
        }
    }
}

}  // namespace
