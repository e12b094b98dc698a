#include "mainwindow/SystemPrintOutput.h"

#include "ui/PrinterChoice.h"

#include "printing/LabelPrinter.h"
#include "printing/PrinterSurface.h"
#include "support/FakeDialogs.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tagwright;

namespace {

// What a print does once the labels are composed: completes and places them; the note for
// the user, or why they could not be placed.
QString finish(printjob::LabelOutput& output, printing::PrinterSurface& surface)
{
    if (QString failure = output.complete(surface); !failure.isEmpty())
        return failure;
    if (QString failure = output.place(); !failure.isEmpty())
        return failure;
    return output.note();
}

TEST(SystemPrintOutput, withoutAPrinterEachCommandIsWrittenAsAPdfAndTheUserIsToldWhere)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a system printer is installed";
    test::TempFolder folder;
    const QString labels = QDir(folder.path()).filePath(QStringLiteral("Tagwright labels"));
    QWidget window;
    test::FakeDialogs dialogs;
    mainwindow::SystemPrintOutput output(window, dialogs, labels);

    auto surface = output.open(QString());
    ASSERT_TRUE(surface.ok()) << surface.error().message.toStdString();
    printing::PrintRequest snapshot;
    snapshot.label.body = QStringLiteral("Changed oil.");
    printing::LabelPrinter printer;
    EXPECT_TRUE(printer.PrintLabels(**surface, snapshot).printed());
    const QString note = finish(output, **surface);
    surface->reset();

    const QStringList files = QDir(labels).entryList({QStringLiteral("label-*.pdf")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(note.contains(QDir::toNativeSeparators(QDir(labels).filePath(files[0]))));
    EXPECT_GT(QFile(QDir(labels).filePath(files[0])).size(), 1000);
}

TEST(SystemPrintOutput, aFullDiskIsToldAndLeavesNoHalfWrittenPdf)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a system printer is installed";
    test::FullDisk disk;
    if (!disk.ready())
        GTEST_SKIP() << disk.reason().toStdString();
    QWidget window;
    test::FakeDialogs dialogs;
    mainwindow::SystemPrintOutput output(window, dialogs, disk.path());
    auto surface = output.open(QString());
    ASSERT_TRUE(surface.ok()) << surface.error().message.toStdString();
    printing::PrintRequest snapshot;
    snapshot.label.body = QStringLiteral("Changed oil.");
    snapshot.sheet.copies = 6;
    printing::LabelPrinter printer;
    printer.PrintLabels(**surface, snapshot);
    const QString note = finish(output, **surface);
    surface->reset();
    EXPECT_TRUE(note.startsWith(QStringLiteral("The labels could not be written"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("No space left on device"))) << note.toStdString();
    EXPECT_TRUE(disk.entries().isEmpty()) << disk.entries().join(u' ').toStdString();
}

TEST(SystemPrintOutput, pdfFileNamesNeverReuseAnExistingFile)
{
    test::TempFolder folder;
    const QString first = mainwindow::SystemPrintOutput::pdfFileName(folder.path());
    EXPECT_TRUE(QFileInfo(first).fileName().startsWith(QStringLiteral("label-")));
    QFile(first).open(QIODevice::WriteOnly);
    const QString second = mainwindow::SystemPrintOutput::pdfFileName(folder.path());
    EXPECT_NE(first, second);
    EXPECT_TRUE(second.endsWith(QStringLiteral(".pdf")));
}

}  // namespace

namespace {

// "Print to File" chosen in the printer set-up: every print asks where its file goes, offers
// a name that replaces nothing, and writes the labels on their own page (a Letter sheet
// here), not the dialog's A4.
TEST(SystemPrintOutput, printToFileAsksForEachFileAndKeepsTheLabelsPageSize)
{
    test::TempFolder folder;
    const QString chosen = folder.file(QStringLiteral("labels.pdf"));
    QWidget window;
    ui::PrinterChoice& choice = ui::PrinterChoice::of(window);
    choice.printerForDialog().setOutputFileName(chosen);
    choice.printerForDialog().setPageSize(QPageSize(QPageSize::A4));
    choice.accept();
    test::FakeDialogs dialogs;
    mainwindow::SystemPrintOutput output(window, dialogs, folder.path());
    printing::PrintRequest snapshot;
    snapshot.label.body = QStringLiteral("Changed oil.");

    const auto printOnce = [&](const QString& answer) {
        dialogs.fileNameAnswer = answer;
        auto surface = output.open(QString());
        if (!surface)
            return surface.error().message;
        EXPECT_TRUE(printing::LabelPrinter().PrintLabels(**surface, snapshot).printed());
        return finish(output, **surface);
    };

    EXPECT_EQ(printOnce(chosen), QStringLiteral("The labels were saved as\n%1").arg(QDir::toNativeSeparators(chosen)));
    EXPECT_EQ(dialogs.lastSuggestedFileName, chosen);
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {chosen});
    ASSERT_TRUE(pdfinfo.waitForFinished());
    EXPECT_TRUE(pdfinfo.readAllStandardOutput().contains("612 x 792 pts (letter)"));

    // The file is there now: the next print offers another name, and a cancel prints nothing.
    EXPECT_TRUE(printOnce(QString()).isEmpty());
    EXPECT_NE(dialogs.lastSuggestedFileName, chosen);
    EXPECT_TRUE(dialogs.lastSuggestedFileName.endsWith(QStringLiteral(".pdf")));
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files), QStringList{QStringLiteral("labels.pdf")});
}

}  // namespace
