#include "CardFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
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
    EXPECT_EQ(focusName(), "Text2");
}

TEST_F(KeyboardFocusTest, tabLeavesTheBodyWithoutTypingIntoIt)
{
    controls().bodyBox->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(controls().bodyBox, Qt::Key_Tab);
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Annual Inspection body");
    EXPECT_EQ(focusName(), "Text9");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), "Text2");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Annual Inspection body");
}

TEST_F(KeyboardFocusTest, tabMovesThroughTheCardTopToBottomThenTheButtons)
{
    const QStringList forward = {"Text19", "Text3", "Text20", "Text4", "Text21", "Text5",
                                 "Text16", "Text6", "Text17", "Text7", "Text18", "Text8",
                                 "Text2", "Text9", "Check1", "Check2", "Combo2", "Command3D1"};
    EXPECT_EQ(walk(controls().titleBoxes[0], Qt::Key_Tab, Qt::NoModifier, int(forward.size())),
              forward);
    QStringList back = forward;
    std::reverse(back.begin(), back.end());
    back.removeFirst();
    back << "Text1_0";
    EXPECT_EQ(walk(controls().newButton, Qt::Key_Backtab, Qt::ShiftModifier, int(back.size())),
              back);
}

}  // namespace
