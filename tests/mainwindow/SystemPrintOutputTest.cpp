#include "mainwindow/SystemPrintOutput.h"

#include "printing/LabelPrinter.h"
#include "printing/PrinterSurface.h"
#include "support/FullDisk.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tagwright;

namespace {

TEST(SystemPrintOutput, withoutAPrinterEachCommandIsWrittenAsAPdfAndTheUserIsToldWhere)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a system printer is installed";
    test::TempFolder folder;
    const QString labels = QDir(folder.path()).filePath(QStringLiteral("Tagwright labels"));
    QWidget window;
    mainwindow::SystemPrintOutput output(window, labels);

    QString error;
    std::unique_ptr<printing::PrinterSurface> surface = output.open(&error);
    ASSERT_NE(surface, nullptr) << error.toStdString();
    printing::LabelSnapshot snapshot;
    snapshot.Text2 = QStringLiteral("Changed oil.");
    printing::LabelPrinter printer;
    EXPECT_TRUE(printer.PrintLaserLabels(*surface, snapshot).printed());
    const QString note = output.close(*surface);
    surface.reset();

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
    mainwindow::SystemPrintOutput output(window, disk.path());
    QString error;
    std::unique_ptr<printing::PrinterSurface> surface = output.open(&error);
    ASSERT_NE(surface, nullptr) << error.toStdString();
    printing::LabelSnapshot snapshot;
    snapshot.Text2 = QStringLiteral("Changed oil.");
    snapshot.Text15 = QStringLiteral("6");
    printing::LabelPrinter printer;
    printer.PrintLaserLabels(*surface, snapshot);
    const QString note = output.close(*surface);
    surface.reset();
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
