#include "PrintServiceFixture.h"

#include "cli/ShopDatabase.h"

using namespace tagwright::test;

namespace {

class CliPrintService : public ::testing::Test {
protected:
    using Queues = PrintServiceQueues;

    void SetUp() override
    {
        if (const std::string why = queues.start(); !why.empty())
            GTEST_SKIP() << why;
        shop.addCompany(skylineCompany());
        QVariantMap longBody = hundredHourTemplate();
        QStringList lines;
        for (int i = 1; i <= 16; ++i)
            lines << QStringLiteral("Line %1 of a long entry.").arg(i);
        longBody["Body"] = lines.join(QStringLiteral("\r\n"));
        longBody["Description"] = "Long entry";
        shop.addTemplate(longBody);
        shop.addTemplate(hundredHourTemplate());
    }

    // `tagwright-cli print` on the shop; its exit code, with stderr in `err`.
    int cli(const QStringList& options) { return run(QStringLiteral("print"), options); }

    // `tagwright-cli COMMAND` on the shop; its exit code, with stdout in `out`, stderr in `err`.
    int run(const QString& command, const QStringList& options)
    {
        QProcess process;
        process.start(QStringLiteral(TAGWRIGHT_CLI),
                      QStringList{command, QStringLiteral("--setup"), shop.setupPath()} + options);
        EXPECT_TRUE(process.waitForFinished(60000));
        out = QString::fromLocal8Bit(process.readAllStandardOutput());
        err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitCode();
    }

    PrintServiceQueues queues;
    ShopDatabase shop;
    QString out;
    QString err;
};

struct Job {
    const char* queue;
    const char* stock;
    QSizeF page;     // points
    double shiftPt;  // where the label moves against the exported PDF, right and down
};

// Laser sheets come out on Letter though the queue's own paper is A4, where the exported
// PDF puts them, or moved by the printer's margins; tractor labels on a page of the exact
// label length, 217.5 pt, not Qt's whole points.
TEST_F(CliPrintService, laserAndTractorJobsComeOutOnTheirPaperWhereTheExportedPdfPutsThem)
{
    const Job jobs[] = {
        {Queues::Plain, "laser", {612, 792}, 0},
        {Queues::Margins, "laser", {612, 792}, Queues::MarginPt},
        {Queues::Plain, "tractor", {396, 217.5}, 0},
        {Queues::Margins, "tractor", {396, 217.5}, 0},  // the margins are the Letter page's only
    };
    int printedSoFar = 0;
    for (const Job& job : jobs) {
        SCOPED_TRACE(std::string(job.queue) + " " + job.stock);
        const QString exported = shop.folder.file(QStringLiteral("%1-%2.pdf").arg(job.queue, job.stock));
        // A laser sheet is a job of its own; the tractor label runs on over two pages.
        const bool tractor = QByteArray(job.stock) == "tractor";
        const QString entry = tractor ? QStringLiteral("Long entry") : QStringLiteral("100 Hour");
        ASSERT_EQ(cli({QStringLiteral("--template"), entry, QStringLiteral("--stock"), QLatin1String(job.stock),
                       QStringLiteral("--pdf"), exported,
                       QStringLiteral("--printer"), QLatin1String(job.queue)}),
                  0)
            << err.toStdString();
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        const QStringList files = queues.printed(++printedSoFar);
        ASSERT_EQ(files.size(), printedSoFar);

        const PrintedPdf expected = PrintedPdf::read(exported);
        const PrintedPdf actual = PrintedPdf::read(files.last());
        EXPECT_EQ(actual.title, QStringLiteral("(Tagwright label)"));
        ASSERT_EQ(actual.pages(), expected.pages());
        EXPECT_EQ(actual.pages(), tractor ? 2 : 1);
        for (int page = 0; page < actual.pages(); ++page) {
            EXPECT_EQ(actual.pageSizes[page], job.page) << "page " << page + 1;
            Queues::expectAt(actual.inkCorners[page], expected.inkCorners[page] + QPointF(job.shiftPt, job.shiftPt),
                     "page " + std::to_string(page + 1));
        }
    }
}

// Fitted for a queue, a label comes out of it where a label fitted for PDF files lies in the
// PDF: at the same place on the sheet, unless the queue's margins would cut into it, when it
// moves just inside them (a quarter inch is 2.75 pt more than the left die-cut's margin).
TEST_F(CliPrintService, fitStockFitsEachQueuesPrintableArea)
{
    ASSERT_EQ(run(QStringLiteral("fit-stock"), {}), 0) << err.toStdString();
    const QString reference = shop.folder.file(QStringLiteral("fitted.pdf"));
    ASSERT_EQ(cli({QStringLiteral("--pdf"), reference}), 0) << err.toStdString();
    const QPointF inPdf = PrintedPdf::read(reference).inkCorners.front();

    const struct {
        const char* queue;
        const char* stored;
        QPointF shiftPt;
    } cases[] = {
        {Queues::Margins, "top row 462, middle row 512, bottom row 562, left column -50, right column -80", {2.75, 0}},
        {Queues::Uneven, "top row 642, middle row 692, bottom row 684, left column 15, right column 40", {0, 0}},
    };
    int printedSoFar = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.queue);
        ASSERT_EQ(run(QStringLiteral("fit-stock"), {QStringLiteral("--printer"), QLatin1String(c.queue)}), 0)
            << err.toStdString();
        EXPECT_EQ(out, QStringLiteral("Fitted for the printer \"%1\": %2 (twips).\n").arg(c.queue, c.stored));
        ASSERT_EQ(cli({QStringLiteral("--printer"), QLatin1String(c.queue)}), 0) << err.toStdString();
        const QStringList files = queues.printed(++printedSoFar);
        ASSERT_EQ(files.size(), printedSoFar);
        Queues::expectAt(PrintedPdf::read(files.last()).inkCorners.front(), inPdf + c.shiftPt, c.queue);
    }
    EXPECT_EQ(run(QStringLiteral("fit-stock"), {QStringLiteral("--printer"), QStringLiteral("NoSuchQueue")}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("There is no printer named \"NoSuchQueue\"."))) << err.toStdString();
}

// A script learns of it from the exit code and one line on stderr naming the printer.
TEST_F(CliPrintService, aPausedOrRejectingQueueExitsOneWithTheReason)
{
    const QString queue = queues.addOwnQueue();
    Queues::admin(QStringLiteral("cupsdisable"), {QStringLiteral("-r"), QStringLiteral("Cover open"), queue});
    EXPECT_EQ(cli({QStringLiteral("--printer"), queue}), 1);
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("\"%1\" is paused: Cover open").arg(queue))) << err.toStdString();

    Queues::admin(QStringLiteral("cupsenable"), {queue});
    Queues::admin(QStringLiteral("cupsreject"), {queue});
    EXPECT_EQ(cli({QStringLiteral("--printer"), queue}), 1);
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("\"%1\" is not accepting jobs").arg(queue))) << err.toStdString();
    EXPECT_TRUE(queues.printed(0).isEmpty());
}

}  // namespace
