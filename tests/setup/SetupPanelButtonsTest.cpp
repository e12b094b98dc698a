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
    QFrame* infoPanel() { return find<QFrame>("Panel3D6"); }
};

TEST_F(SetupPanelButtons, theInformationButtonTogglesThePanelAndAClickOnItHidesIt)
{
    openSetupWindow();
    click("Command3D9");
    click("Command3D12");
    ASSERT_FALSE(infoPanel()->isHidden());
    const QString text = find<QLabel>("InfoText")->text();
    EXPECT_TRUE(text.contains("Tagwright"));
    EXPECT_TRUE(text.contains(QStringLiteral(TAGWRIGHT_VERSION)));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(mainDb.path())));
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(setupDb.path())));
    click("Command3D12");
    EXPECT_TRUE(infoPanel()->isHidden());

    click("Command3D12");
    QTest::mouseClick(find<QLabel>("InfoText"), Qt::LeftButton);
    EXPECT_TRUE(infoPanel()->isHidden());
    EXPECT_FALSE(find<QFrame>("Panel3D2")->isHidden());   // the setup panel stays open

    // Escape puts it away too, wherever the focus is.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    click("Command3D12");
    ASSERT_FALSE(infoPanel()->isHidden());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(infoPanel()->isHidden());
    EXPECT_FALSE(find<QFrame>("Panel3D2")->isHidden());
}

TEST_F(SetupPanelButtons, theAcceptedPrinterIsKeptForPrintingAndCancelKeepsThePreviousChoice)
{
    openSetupWindow();
    click("Command3D9");
    ui::PrinterChoice& choice = ui::PrinterChoice::of(*window);

    dialogs.printerAnswer = false;
    click("Command3D4");
    EXPECT_EQ(dialogs.printerDialogShown, 1);
    EXPECT_EQ(choice.chosenPrinter(), nullptr);

    dialogs.printerAnswer = true;
    choice.printerForDialog().setOutputFileName(folder.file(QStringLiteral("labels.pdf")));
    click("Command3D4");
    ASSERT_NE(choice.chosenPrinter(), nullptr);

    dialogs.printerAnswer = false;
    click("Command3D4");
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
    click("Command3D9");
    EXPECT_TRUE(find<QAbstractButton>("Option3D1")->text().contains(QStringLiteral("5164, 5264, 5524, 8164")));
    click("FitToStockButton");
    const char* const boxes[5] = {"Text22", "Text24", "Text26", "Text23", "Text25"};
    const std::array<QString, 5> pdf = stock::offsetTexts(stock::fitToStock(stock::wholeSheet()).offsets);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(box(boxes[i])->text(), pdf[i]) << boxes[i];
    EXPECT_EQ(find<QLabel>("FitToStockNote")->text(), "Fitted for PDF files printed at actual size.");
    click("Command3D9");
    EXPECT_EQ(stored(mainDb, store::schema::CompanyInfoTable, store::schema::company::LabelTopUp).toString(), pdf[0]);
    EXPECT_EQ(stored(mainDb, store::schema::CompanyInfoTable, store::schema::company::LabelRight).toString(), pdf[4]);

    // The note was news for that opening only.
    click("Command3D9");
    EXPECT_TRUE(find<QLabel>("FitToStockNote")->text().isEmpty());
    box("Text22")->setText(QStringLiteral("5"));
    ui::PrinterChoice& choice = ui::PrinterChoice::of(*window);
    choice.printerForDialog().setOutputFileName(folder.file(QStringLiteral("labels.pdf")));
    choice.accept();
    click("FitToStockButton");
    EXPECT_EQ(box("Text22")->text(), pdf[0]);

    // Tractor feed reads two of the boxes for a stock of its own.
    find<QAbstractButton>("Option3D2")->click();
    EXPECT_FALSE(find<QAbstractButton>("FitToStockButton")->isEnabled());
}

}  // namespace
