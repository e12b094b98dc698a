#include "MenuWindowFixture.h"

#include "support/RecordingOutput.h"
#include "support/Results.h"

#include "journal/Journal.h"
#include "journal/JournalWriter.h"
#include "mainwindow/PrintCommand.h"
#include "mainwindow/TemplateCard.h"
#include "stock/StockFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace tagwright;

namespace {

class MainMenuTest : public test::MenuWindowTest {
protected:
    // Every entry beside the control it stands for.
    void expectEntriesFollowControls(const char* stage)
    {
        static const std::pair<const char*, const char*> entries[] = {
            {"actionPrint", "printButton"},   {"actionPrintPreview", "printButton"},
            {"actionExportPdf", "printButton"}, {"actionPrintAlignmentSheet", "printButton"},
            {"actionPrinterSetup", "printerSetupButton"},
            {"actionExit", "exitButton"},    {"actionNew", "newButton"},
            {"actionSave", "saveButton"},    {"actionDelete", "deleteButton"},
            {"actionFont", "fontButton"},    {"actionLogo", "logoButton"},
            {"actionNext", "nextZone1"},     {"actionPrevious", "previousZone1"},
            {"actionSetup", "setupButton"},   {"actionAbout", "informationButton"},
        };
        for (auto [entry, control] : entries) {
            EXPECT_EQ(action(entry)->isEnabled(), find<QWidget>(control)->isEnabled())
                << stage << ": " << entry;
        }
    }

    bool shown(const char* panel) const { return !find<QFrame>(panel)->isHidden(); }
    QString titleOnShow() const
    {
        return window->controls().titleBoxes[std::size_t(window->state().TabPos)]->text();
    }
    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST_F(MainMenuTest, entriesFollowTheirControlsThroughBothPanelsAndEditing)
{
    openMenuWindow(1);
    expectEntriesFollowControls("browsing");
    EXPECT_FALSE(action("actionSave")->isEnabled());

    action("actionSetup")->trigger();
    ASSERT_TRUE(shown("setupPanel"));
    expectEntriesFollowControls("setup panel open");
    EXPECT_FALSE(action("actionPrintPreview")->isEnabled());
    EXPECT_TRUE(action("actionSetup")->isEnabled());
    action("actionSetup")->trigger();
    ASSERT_FALSE(shown("setupPanel"));
    expectEntriesFollowControls("setup panel closed");

    action("actionPrint")->trigger();
    ASSERT_TRUE(shown("printPanel"));
    expectEntriesFollowControls("print panel up");
    EXPECT_FALSE(action("actionExportPdf")->isEnabled());
    find<QAbstractButton>("printCancelButton")->click();
    expectEntriesFollowControls("print panel cancelled");
    EXPECT_TRUE(action("actionSave")->isEnabled());

    find<QPlainTextEdit>("bodyEditor")->setPlainText(QStringLiteral("Changed."));
    expectEntriesFollowControls("body typed");

    find<QLineEdit>("registrationCaption")->setText(QStringLiteral("Tail #"));
    expectEntriesFollowControls("editing");
    EXPECT_FALSE(action("actionNext")->isEnabled());
    EXPECT_FALSE(action("actionSetup")->isEnabled());
}

TEST_F(MainMenuTest, entriesRunWhatTheirControlsRun)
{
    openMenuWindow(1);
    action("actionNext")->trigger();
    EXPECT_EQ(titleOnShow(), "Tires");
    EXPECT_EQ(window->state().TabPos, 1);
    action("actionPrevious")->trigger();
    EXPECT_EQ(titleOnShow(), "Annual");

    action("actionAbout")->trigger();
    EXPECT_TRUE(shown("informationPanel"));
    action("actionAbout")->trigger();
    EXPECT_FALSE(shown("informationPanel"));

    action("actionPrinterSetup")->trigger();
    EXPECT_EQ(dialogs.printerDialogShown, 1);
    action("actionFont")->trigger();
    EXPECT_EQ(dialogs.fontDialogShown, 1);
}

TEST_F(MainMenuTest, alignmentSheetGoesWherePrintGoesAtTheBoxesOffsetsAndIsNotJournaled)
{
    openMenuWindow(1);
    QVector<QVector<printing::RecordedOp>> printed;
    window->printCommand().setOutput(std::make_unique<test::RecordingOutput>(&printed));
    store::ShopRecord shop = window->shop().stored();
    shop.offsetTexts[0] = QStringLiteral("100");
    window->shop().setEdited(shop);
    ASSERT_TRUE(window->shop().save().ok());
    action("actionPrintAlignmentSheet")->trigger();
    ASSERT_EQ(printed.size(), 1);
    const QVector<printing::RecordedOp>& ops = printed.first();
    // Without a printer the fit is for PDF files: the top left die-cut's top edge, at 0.5 in
    // on the sheet, moves down with the top row's 100 twips past the fit.
    const double fittedTop = stock::fitToStock(stock::wholeSheet()).offsets.topRow;
    const auto topEdge = std::find_if(ops.begin(), ops.end(), [](const printing::RecordedOp& op) {
        return op.kind == printing::RecordedOp::Kind::Line && op.y == op.y2 && op.x2 - op.x > 5000;
    });
    ASSERT_NE(topEdge, ops.end());
    EXPECT_FLOAT_EQ(topEdge->y, float(720 + 100 - fittedTop));
    window->journalWriter().flush();
    const QVector<journal::JournalEntry> journaled = test::expectValue(journal::Journal(mainDb).find({}, {}));
    EXPECT_TRUE(journaled.isEmpty());

    // It is for the six-up sheet only.
    store::TableCursor company;
    EXPECT_TRUE(company.open(mainDb, store::schema::CompanyInfoTable).ok());
    EXPECT_TRUE(company.edit().ok());
    EXPECT_TRUE(company.setValue(store::schema::company::LabelStyle, 2).ok());
    ASSERT_TRUE(company.update().ok());
    ASSERT_TRUE(window->shop().load().ok());
    action("actionPrintAlignmentSheet")->trigger();
    EXPECT_EQ(printed.size(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages.back().text.contains(QStringLiteral("tractor feed")));
}

TEST_F(MainMenuTest, desktopKeysReachTheirEntriesAndPagingKeysStillPageOnce)
{
    openMenuWindow(1);
    activate();
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    EXPECT_EQ(titleOnShow(), "Tires");
    QTest::keyClick(window.get(), Qt::Key_PageUp);
    EXPECT_EQ(titleOnShow(), "Annual");

    // The setup panel disables Print, and the key with it.
    action("actionSetup")->trigger();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(shown("printPanel"));
    action("actionSetup")->trigger();
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(shown("printPanel"));
}

TEST_F(MainMenuTest, exitEntryWithUnsavedTypingAsksFirst)
{
    openMenuWindow(1);
    activate();
    QPlainTextEdit* body = find<QPlainTextEdit>("bodyEditor");
    body->setFocus();
    QTest::keyClicks(body, QStringLiteral("typed "));
    // Ctrl+Q where the desktop binds it; the offscreen test platform binds no quit key.
    action("actionExit")->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].title, "Unsaved changes");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(body->toPlainText(), "typed Inspected.");
}

TEST_F(MainMenuTest, deleteKeyEditsTheBodyAndLeavesTheTemplate)
{
    openMenuWindow(1);
    activate();
    QPlainTextEdit* body = find<QPlainTextEdit>("bodyEditor");
    body->setFocus();
    body->moveCursor(QTextCursor::Start);
    QTest::keyClick(body, Qt::Key_Delete);
    EXPECT_EQ(body->toPlainText(), "nspected.");
    EXPECT_EQ(titleOnShow(), "Annual");
    EXPECT_EQ(window->cards().count(), 2);
}

}  // namespace
