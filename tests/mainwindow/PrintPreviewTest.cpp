#include "MenuWindowFixture.h"

#include "support/Pixels.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/PrintCommand.h"
#include "mainwindow/PrintPreview.h"
#include "ui/PrinterChoice.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

using namespace tagwright;

namespace {

// Body lines enough for three tractor pages (the first page holds fewer under the header).
QString threePageBody()
{
    QStringList lines;
    for (int line = 1; line <= 26; ++line)
        lines << QStringLiteral("Line %1 of the work done.").arg(line);
    return lines.join(QLatin1Char('\n'));
}

class PrintPreviewTest : public test::MenuWindowTest {
protected:
    // Opens the preview from the menu and reads the pages it shows; -1 when no preview
    // opened.
    int previewedPages()
    {
        dialogs.previewPages = -1;
        action("actionPrintPreview")->trigger();
        return dialogs.previewPages;
    }

    void setSkipMarks(const QString& mark)
    {
        for (int cell = 1; cell <= 6; ++cell)
            window->session().setCellUsed(cell, mark == QStringLiteral("X"));
    }

    QStringList valueBoxTexts() const
    {
        QStringList texts;
        for (QLineEdit* box : window->controls().valueBoxes)
            texts << box->text();
        return texts;
    }
};

TEST_F(PrintPreviewTest, sevenCopiesOnFreeSheetsPreviewAsTwoPagesAndTouchNothing)
{
    openMenuWindow(1);
    setSkipMarks(QString());
    window->controls().copiesBox->setText(QStringLiteral("7"));
    const QStringList valuesBefore = valueBoxTexts();

    EXPECT_EQ(previewedPages(), 2);
    EXPECT_EQ(valueBoxTexts(), valuesBefore);   // no underscores written back
    EXPECT_EQ(window->printCommand().printer().position().LabelCell, 0);
    EXPECT_TRUE(window->controls().printPanel->isHidden());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PrintPreviewTest, tractorBodyRunsOverThreePreviewPages)
{
    openMenuWindow(2, threePageBody());
    EXPECT_EQ(previewedPages(), 3);
}

TEST_F(PrintPreviewTest, everyCellMarkedShowsTheRefusalInsteadOfAPreview)
{
    openMenuWindow(1);
    setSkipMarks(QStringLiteral("X"));
    EXPECT_EQ(previewedPages(), -1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(dialogs.messages[0].text.isEmpty());
}

// Printing from the preview paints the same pages onto the real printer.
TEST_F(PrintPreviewTest, printingFromThePreviewPutsEveryPageIntoOnePrinterSession)
{
    openMenuWindow(2, threePageBody());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.file(QStringLiteral("preview.pdf")));
    const mainwindow::PreviewPages rendered =
        mainwindow::renderLabelPages(window->session().printRequest().value(), printer);
    EXPECT_TRUE(rendered.result.printed()) << rendered.result.message.toStdString();
    EXPECT_EQ(rendered.pages, 3);

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {printer.outputFileName()});
    if (!info.waitForFinished() || info.exitCode() != 0)
        GTEST_SKIP() << "pdfinfo is not available";
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    EXPECT_EQ(pages.match(QString::fromUtf8(info.readAllStandardOutput())).captured(1), "3");
}

// Bluish pixels: the die-cut outlines the preview draws; labels print in black.
int bluish(const QImage& image)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            found += c.blue() > 150 && c.blue() > c.red() + 60 ? 1 : 0;
        }
    }
    return found;
}

// The preview shows where the stock's die-cuts lie under a laser sheet; printing from it
// puts the labels on paper without them.
TEST_F(PrintPreviewTest, theDieCutsShowInThePreviewButAreNotPrinted)
{
    openMenuWindow(1);
    const QString file = folder.file(QStringLiteral("from-preview.pdf"));
    ui::PrinterChoice& choice = ui::PrinterChoice::of(*window);
    choice.printerForDialog().setOutputFormat(QPrinter::PdfFormat);
    choice.printerForDialog().setOutputFileName(file);
    choice.accept();
    dialogs.fileNameAnswer = file;
    dialogs.printFromPreview = true;
    action("actionPrintPreview")->trigger();
    EXPECT_GT(bluish(dialogs.previewShown), 100);

    QTemporaryDir pngs;
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), file, pngs.filePath(QStringLiteral("page"))});
    if (!render.waitForFinished() || render.exitCode() != 0)
        GTEST_SKIP() << "pdftoppm is not available";
    const QImage printed(pngs.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(bluish(printed), 0);
    EXPECT_GT(test::pixelsOf(printed, Qt::black), 0);
}

}  // namespace
