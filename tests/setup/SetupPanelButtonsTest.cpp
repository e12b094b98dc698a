#include "SetupWindowFixture.h"

#include "ui/PrinterChoice.h"
#include "ui/UserDialogs.h"

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
