#include "SetupWindowFixture.h"

#include "ui/PrinterChoice.h"
#include "ui/UserDialogs.h"
#include "stock/StockFit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace tagwright;

namespace {

class SetupPanelButtons : public test::SetupWindowTest {
protected:
    QFrame* infoPanel() { return find<QFrame>("informationPanel"); }
};

TEST_F(SetupPanelButtons, theInformationButtonTogglesThePanelAndAClickOnItHidesIt)
{
    openSetupWindow();
    click("setupButton");
    click("informationButton");
    ASSERT_FALSE(infoPanel()->isHidden());
    const QString text = find<QLabel>("InfoText")->text();
    EXPECT_TRUE(text.contains("Tagwright"));
    EXPECT_TRUE(text.contains(QStringLiteral(TAGWRIGHT_VERSION)));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(mainDb.path())));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(setupDb.path())));
    click("informationButton");
    EXPECT_TRUE(infoPanel()->isHidden());

    click("informationButton");
    QTest::mouseClick(find<QLabel>("InfoText"), Qt::LeftButton);
    EXPECT_TRUE(infoPanel()->isHidden());
    EXPECT_FALSE(find<QFrame>("setupPanel")->isHidden());   // the setup panel stays open

    // Escape puts it away too, wherever the focus is.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    click("informationButton");
    ASSERT_FALSE(infoPanel()->isHidden());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(infoPanel()->isHidden());
    EXPECT_FALSE(find<QFrame>("setupPanel")->isHidden());
}

TEST_F(SetupPanelButtons, theAcceptedPrinterIsKeptForPrintingAndCancelKeepsThePreviousChoice)
{
    openSetupWindow();
    click("setupButton");
    ui::PrinterChoice& choice = ui::PrinterChoice::of(*window);

    dialogs.printerAnswer = false;
    click("printerSetupButton");
    EXPECT_EQ(dialogs.printerDialogShown, 1);
    EXPECT_EQ(choice.chosenPrinter(), nullptr);

    dialogs.printerAnswer = true;
    choice.printerForDialog().setOutputFileName(folder.file(QStringLiteral("labels.pdf")));
    click("printerSetupButton");
    ASSERT_NE(choice.chosenPrinter(), nullptr);

    dialogs.printerAnswer = false;
    click("printerSetupButton");
    ASSERT_NE(choice.chosenPrinter(), nullptr);
    EXPECT_EQ(choice.chosenPrinter()->outputFileName(), folder.file(QStringLiteral("labels.pdf")));
    EXPECT_EQ(&ui::PrinterChoice::of(*window), &choice);
}

// The printer set-up chooses where later labels go; it prints nothing, and says so.
TEST(PrinterSetupDialog, itsTitleAndButtonSayItChoosesAPrinter)
{
    QPrinter printer;
    std::unique_ptr<QPrintDialog> dialog = ui::QtUserDialogs::printerSetupDialog(nullptr, printer);
    dialog->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Printer Set-up"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("&Use This Printer"));
    EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
    EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
    dialog->reject();
}

}  // namespace

namespace {

// Without a printer, and with "Print to File" chosen, Print writes PDF files: the fit is for
// them, shown in the boxes, named under the button and stored by the panel's Save.
TEST_F(SetupPanelButtons, fitToStockFillsTheBoxesForPdfFilesAndTheNextSaveStoresThem)
{
    openSetupWindow();
    click("setupButton");
    EXPECT_TRUE(find<QAbstractButton>("laserOption")->text().contains(
        QStringLiteral("5164, 5264, 5524, 8164")));
    click("FitToStockButton");
    const char* const boxes[5] = {"topRowOffsetBox", "middleRowOffsetBox", "bottomRowOffsetBox",
                                  "leftColumnOffsetBox", "rightColumnOffsetBox"};
    const std::array<QString, 5> pdf = stock::offsetTexts(stock::fitToStock(stock::wholeSheet()).offsets);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(box(boxes[i])->text(), pdf[i]) << boxes[i];
    EXPECT_EQ(find<QLabel>("FitToStockNote")->text(), "Fitted for PDF files printed at actual size.");
    click("setupButton");
    EXPECT_EQ(stored(mainDb, store::schema::CompanyInfoTable, store::schema::company::LabelTopUp).toString(), pdf[0]);
    EXPECT_EQ(stored(mainDb, store::schema::CompanyInfoTable, store::schema::company::LabelRight).toString(), pdf[4]);

    // The note was news for that opening only.
    click("setupButton");
    EXPECT_TRUE(find<QLabel>("FitToStockNote")->text().isEmpty());
    box("topRowOffsetBox")->setText(QStringLiteral("5"));
    ui::PrinterChoice& choice = ui::PrinterChoice::of(*window);
    choice.printerForDialog().setOutputFileName(folder.file(QStringLiteral("labels.pdf")));
    choice.accept();
    click("FitToStockButton");
    EXPECT_EQ(box("topRowOffsetBox")->text(), pdf[0]);

    // Tractor feed reads two of the boxes for a stock of its own.
    find<QAbstractButton>("tractorOption")->click();
    EXPECT_FALSE(find<QAbstractButton>("FitToStockButton")->isEnabled());
}

}  // namespace
