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
    int cli(const QStringList& options)
    {
        QProcess process;
        process.start(QStringLiteral(TAGWRIGHT_CLI),
                      QStringList{QStringLiteral("print"), QStringLiteral("--setup"), shop.setupPath()} + options);
        EXPECT_TRUE(process.waitForFinished(60000));
        err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitCode();
    }

    PrintServiceQueues queues;
    ShopDatabase shop;
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
