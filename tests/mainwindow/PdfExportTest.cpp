#include "MenuWindowFixture.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/PdfExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>

using namespace tagwright;
using mainwindow::PdfExport;

namespace {

class PdfExportTest : public test::MenuWindowTest {
protected:
    // The file's text as pdftotext reads it; nothing when the tool is missing.
    std::optional<QString> pdfText(const QString& fileName)
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {fileName, QStringLiteral("-")});
        if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    void exportTo(const QString& fileName)
    {
        dialogs.fileNameAnswer = fileName;
        action("actionExportPdf")->trigger();
    }

    static void writeFile(const QString& fileName, const QByteArray& content)
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray readFile(const QString& fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(PdfExportTest, exportedFileHoldsTheBodyAndHeaderValuesAndTheWindowKeepsItsBoxes)
{
    openMenuWindow(1, QStringLiteral("Replaced left magneto."));
    window->controls().valueBoxes[0]->setText(QStringLiteral("N4521Q"));
    window->controls().valueBoxes[3]->setText(QStringLiteral("2291.4"));
    const QString fileName = folder.file(QStringLiteral("annual.pdf"));
    exportTo(fileName);

    EXPECT_TRUE(dialogs.messages.empty());
    const std::optional<QString> text = pdfText(fileName);
    if (!text)
        GTEST_SKIP() << "pdftotext is not available or could not read the file";
    for (const char* expected : {"Replaced left magneto.", "N4521Q", "2291.4", "Reg #", "Tach"})
        EXPECT_TRUE(text->contains(QLatin1String(expected))) << expected;
    // The empty Make box printed as underscores, but only on paper.
    EXPECT_TRUE(text->contains(QStringLiteral("___")));
    EXPECT_TRUE(window->controls().valueBoxes[1]->text().isEmpty());
}

TEST_F(PdfExportTest, suggestsTitleAndDateInDocumentsThenInTheFolderUsedLast)
{
    openMenuWindow(1);
    exportTo(QString());   // cancelled: nothing written, nothing said
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();   // a home without one
    const QString suggested = QStringLiteral("Annual %1.pdf").arg(QDate::currentDate().toString(Qt::ISODate));
    EXPECT_EQ(dialogs.lastSuggestedFileName, QDir(documents).filePath(suggested));
    EXPECT_TRUE(dialogs.messages.empty());

    const QString exports = folder.file(QStringLiteral("exports"));
    ASSERT_TRUE(QDir().mkpath(exports));
    exportTo(QDir(exports).filePath(QStringLiteral("first.pdf")));
    exportTo(QString());
    EXPECT_EQ(dialogs.lastSuggestedFileName, QDir(exports).filePath(suggested));
    // A folder that has gone since sends the user back to Documents.
    ASSERT_TRUE(QDir(exports).removeRecursively());
    exportTo(QString());
    EXPECT_EQ(dialogs.lastSuggestedFileName, QDir(documents).filePath(suggested));

    const QDate date(2024, 3, 9);
    EXPECT_EQ(PdfExport::suggestedFileName(QStringLiteral(" A/B: C? "), date, QStringLiteral("/d")),
              "/d/A-B- C- 2024-03-09.pdf");
    EXPECT_EQ(PdfExport::suggestedFileName(QString(), date, QStringLiteral("/d")),
              "/d/label 2024-03-09.pdf");
}

TEST_F(PdfExportTest, aNameTypedWithoutPdfExtensionGetsIt)
{
    openMenuWindow(1);
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"annual", "annual.pdf"}, {"annual.v2", "annual.v2.pdf"}, {"Annual.PDF", "Annual.PDF"}};
    for (const auto& c : cases) {
        exportTo(folder.file(QLatin1String(c.typed)));
        EXPECT_TRUE(QFile::exists(folder.file(QLatin1String(c.written)))) << c.typed;
        if (QLatin1String(c.typed) != QLatin1String(c.written)) {
            EXPECT_FALSE(QFile::exists(folder.file(QLatin1String(c.typed)))) << c.typed;
        }
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PdfExportTest, unwritableTargetReportsTheReasonAndLeavesNoFile)
{
    openMenuWindow(1);
    const QString fileName = folder.file(QStringLiteral("no such folder/label.pdf"));
    exportTo(fileName);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators(fileName)));
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("No such file or directory")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(fileName));
}

TEST_F(PdfExportTest, readOnlyFolderKeepsTheFileAlreadyThere)
{
    openMenuWindow(1);
    const QString exports = folder.file(QStringLiteral("exports"));
    ASSERT_TRUE(QDir().mkpath(exports));
    const QString fileName = QDir(exports).filePath(QStringLiteral("label.pdf"));
    writeFile(fileName, "earlier export");
    const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QFile::setPermissions(exports, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile(QDir(exports).filePath(QStringLiteral("probe"))).open(QIODevice::WriteOnly)) {
        QFile::setPermissions(exports, writable);
        GTEST_SKIP() << "folder permissions do not bind this user (root)";
    }
    exportTo(fileName);
    QFile::setPermissions(exports, writable);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("ermission")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(readFile(fileName), "earlier export");
    EXPECT_EQ(QDir(exports).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(PdfExportTest, labelPrintWouldRefuseIsNotExported)
{
    openMenuWindow(1);
    for (int cell = 1; cell <= 6; ++cell)
        window->session().setCellUsed(cell, true);
    const QString fileName = folder.file(QStringLiteral("label.pdf"));
    exportTo(fileName);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(QFile::exists(fileName));
}

}  // namespace

#include <unistd.h>

TEST_F(PdfExportTest, aChosenNameThatIsALinkIsRefusedAndWhatItPointsAtKept)
{
    openMenuWindow(1);
    const QString precious = folder.file(QStringLiteral("precious.txt"));
    writeFile(precious, "keep me");
    const QString dangling = folder.file(QStringLiteral("made-through-link.pdf"));
    for (const QString& pointsAt : {precious, dangling}) {
        const QString fileName = folder.file(QStringLiteral("label.pdf"));
        QFile::remove(fileName);
        ASSERT_EQ(::symlink(QFile::encodeName(pointsAt).constData(), QFile::encodeName(fileName).constData()), 0);
        dialogs.messages.clear();
        exportTo(fileName);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("symbolic link")))
            << dialogs.messages[0].text.toStdString();
    }
    EXPECT_EQ(readFile(precious), "keep me");
    EXPECT_FALSE(QFile::exists(dangling));
}
