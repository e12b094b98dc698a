#include "cli/ShopDatabase.h"

#include "cli/CommandLine.h"

#include <QProcess>
#include <QRegularExpression>
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

namespace {

// A word as poppler places it, in points from the page's top left corner.
struct WordBox {
    QString text;
    double xMin, yMin, xMax, yMax;
};

struct PageWords {
    double width = 0;
    std::vector<WordBox> words;
};

// The PDF's own word boxes, as `pdftotext -bbox` gives them.
std::vector<PageWords> wordBoxes(const QString& pdf)
{
    const QString html = toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression page(QStringLiteral(R"re(<page width="([\d.]+)")re"));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PageWords> pages;
    for (const QString& chunk : html.split(QStringLiteral("<page ")).mid(1)) {
        PageWords words;
        words.width = page.match(QStringLiteral("<page ") + chunk).captured(1).toDouble();
        for (auto it = word.globalMatch(chunk); it.hasNext();) {
            const auto m = it.next();
            words.words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                                   m.captured(3).toDouble(), m.captured(4).toDouble()});
        }
        pages.push_back(words);
    }
    return pages;
}

}  // namespace

TEST_F(PdfOutput, longTractorBodyStaysBetweenTheRulesAboveTheFootOnPagesCountedRight)
{
    QVariantMap entry = hundredHourTemplate();
    entry[QStringLiteral("Description")] = QStringLiteral("Long");
    entry[QStringLiteral("Size")] = 10.0;
    QStringList paragraphs;
    for (int i = 1; i <= 12; ++i)
        paragraphs << QStringLiteral("%1. Removed, inspected, cleaned and adjusted rudder, elevator and "
                                     "aileron control cables per maintenance manual chapter 27-%1.")
                          .arg(i);
    entry[QStringLiteral("Body")] = paragraphs.join(QStringLiteral("\r\n"));
    shop.addTemplate(entry);
    ASSERT_EQ(print({QStringLiteral("--stock"), QStringLiteral("tractor"), QStringLiteral("--template"),
                     QStringLiteral("Long"), QStringLiteral("--signatory"), QStringLiteral("J. Smith A&P")}),
              0);

    const std::vector<PageWords> pages = wordBoxes(pdf());
    ASSERT_GE(pages.size(), 3u);
    const int count = int(pages.size());
    // The page number and the signature stand at 3900 twips, 195 points.
    constexpr double Foot = 195;
    for (int k = 1; k <= count; ++k) {
        const PageWords& page = pages[std::size_t(k - 1)];
        QStringList footWords;
        double footTop = Foot + 10;
        for (const WordBox& w : page.words) {
            if (w.yMin >= Foot - 2) {
                footWords << w.text;
                footTop = qMin(footTop, w.yMin);
            }
        }
        EXPECT_EQ(footWords.mid(0, 3), (QStringList{QString::number(k), "of", QString::number(count)})) << k;
        for (const WordBox& w : page.words) {
            // The rules end 50 twips (2.5 points) short of the page's right edge.
            EXPECT_LE(w.xMax, page.width - 2.5 + 0.5) << w.text.toStdString() << " on page " << k;
            if (w.yMin < Foot - 2) {
                EXPECT_LE(w.yMax, footTop) << w.text.toStdString() << " on page " << k;
            }
        }
    }
}
