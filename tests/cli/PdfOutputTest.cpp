#include "cli/ShopDatabase.h"

#include "cli/CommandLine.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

using namespace tagwright::test;

namespace {

QString toolOutput(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
        shop.addCompany(skylineCompany());
        shop.addTemplate(hundredHourTemplate());
    }

    int print(const QStringList& options)
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        tagwright::cli::Environment environment;
        environment.dataFolder = shop.folder.path();
        return tagwright::cli::runCommandLine(
            QStringList{QStringLiteral("print"), QStringLiteral("--setup"), shop.setupPath(),
                        QStringLiteral("--pdf"), pdf()} + options,
            outStream, errStream, environment);
    }

    QString pdf() const { return shop.folder.file(QStringLiteral("labels.pdf")); }
    int pages() const
    {
        const QString info = toolOutput(QStringLiteral("pdfinfo"), {pdf()});
        const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : info.mid(at + 6).section(u'\n', 0, 0).trimmed().toInt();
    }

    ShopDatabase shop;
};

}  // namespace

TEST_F(PdfOutput, realTemplatePrintsItsTextOnOneLetterSheet)
{
    ASSERT_EQ(print({QStringLiteral("--value"), QStringLiteral("LeftTop=N123AB"),
                     QStringLiteral("--date"), QStringLiteral("03-07-2001")}),
              0);
    EXPECT_EQ(pages(), 1);
    const QString text = toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf(), QStringLiteral("-")});
    for (const char* expected : {"Skyline Aero Services", "Wichita, KS 67209", "Reg #: N123AB",
                                 "Date: 03-07-2001", "Make: __________________________",
                                 "Performed 100 hour inspection.", "Aircraft found airworthy.",
                                 "Authorized Signature"})
        EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(toolOutput(QStringLiteral("pdfinfo"), {pdf()}).contains(QStringLiteral("612 x 792")));
}

TEST_F(PdfOutput, everySheetOfACommandIsAPageOfTheFile)
{
    ASSERT_EQ(print({QStringLiteral("--copies"), QStringLiteral("7"), QStringLiteral("--skip"), QString()}), 0);
    EXPECT_EQ(pages(), 2);
    ASSERT_EQ(print({QStringLiteral("--copies"), QStringLiteral("3")}), 0);  // cells 2..6 marked
    EXPECT_EQ(pages(), 3);
}

TEST_F(PdfOutput, tractorLabelPagesAreTheStocksSizeAndNumbered)
{
    ASSERT_EQ(print({QStringLiteral("--stock"), QStringLiteral("tractor"), QStringLiteral("--signatory"),
                     QStringLiteral("J. Smith A&P")}),
              0);
    EXPECT_EQ(pages(), 1);
    // 4350 twips are 217.5 points; the writer keeps whole points.
    EXPECT_TRUE(toolOutput(QStringLiteral("pdfinfo"), {pdf()}).contains(QStringLiteral("396 x 218")));
    const QString text = toolOutput(QStringLiteral("pdftotext"), {pdf(), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("1 of 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("J. Smith A&P")));
}
