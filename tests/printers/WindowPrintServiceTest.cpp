#include "PrintServiceFixture.h"

#include "mainwindow/MainWindowControls.h"
#include "printing/LabelPrinter.h"
#include "printjob/PdfFileOutput.h"
#include "mainwindow/PrintCommand.h"
#include "mainwindow/PrintPreview.h"
#include "ui/PrinterChoice.h"
#include "ui/WindowPrintPlace.h"
#include "support/MainWindowFixture.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

using namespace tagwright;
using namespace tagwright::test;
namespace schema = tagwright::store::schema;

namespace {

// The label written as a PDF, as Export PDF writes it.
void writePdf(const printing::PrintRequest& request, const QString& file)
{
    printjob::PdfFileOutput pdf(file);
    auto surface = pdf.open(QString());
    ASSERT_TRUE(surface.ok());
    printing::LabelPrinter().PrintLabels(**surface, request);
    ASSERT_TRUE(pdf.complete(**surface).isEmpty());
    ASSERT_TRUE(pdf.place().isEmpty());
}


class WindowPrintService : public MainWindowTest {
protected:
    using Queues = PrintServiceQueues;

    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (const std::string why = queues.start(); !why.empty())
            GTEST_SKIP() << why;
    }

    // A window on a shop with the given label stock, showing the "Annual" template.
    void openShop(bool tractor)
    {
        addRecord(mainDb, schema::LabelsTable,
                  templateRecord(QStringLiteral("Annual"), QStringLiteral("Inspected per 14 CFR 43.")));
        addRecord(mainDb, schema::CompanyInfoTable,
                  {{schema::company::CompanyName, QStringLiteral("Skyline Aero")},
                   {schema::company::DefLabel, QStringLiteral("Annual")},
                   {schema::company::LabelStyle, tractor ? 2 : 1}});
        openWindow();
    }

    // What the printer set-up leaves when the user picks `queue` and accepts.
    void choosePrinter(const QString& queue)
    {
        ui::PrinterChoice& choice = ui::PrinterChoice::of(*window);
        choice.printerForDialog().setPrinterName(queue);
        choice.accept();
    }

    // The Print button, and OK on the options panel for a laser sheet.
    void print()
    {
        mainwindow::PrintCommand& command = window->printCommand();
        command.Print();
        if (command.panelUp())
            command.confirm();
    }

    Queues queues;
};

struct Job {
    const char* queue;
    bool tractor;
    QSizeF page;     // points
    double shiftPt;  // where the label moves against the exported PDF, right and down
};

void PrintTo(const Job& job, std::ostream* out)
{
    *out << job.queue << (job.tractor ? " tractor" : " laser");
}

class WindowPrintJob : public WindowPrintService, public ::testing::WithParamInterface<Job> {};

// Laser sheets on Letter though the queue's own paper is A4, where the exported PDF puts
// them or moved by the printer's margins; tractor labels on pages of the exact length.
TEST_P(WindowPrintJob, printCommandPutsTheLabelOnItsPaperWhereTheExportedPdfDoes)
{
    const Job& job = GetParam();
    openShop(job.tractor);
    choosePrinter(QLatin1String(job.queue));
    print();
    for (const auto& message : dialogs.messages)
        ADD_FAILURE() << message.text.toStdString();
    EXPECT_TRUE(window->controls().printButton->isEnabled());
    const QStringList files = queues.printed(1);
    ASSERT_EQ(files.size(), 1);

    const QString exported = folder.file(QStringLiteral("exported.pdf"));
    writePdf(window->session().printRequest().value(), exported);
    const PrintedPdf expected = PrintedPdf::read(exported);
    const PrintedPdf actual = PrintedPdf::read(files.first());
    EXPECT_EQ(actual.title, QStringLiteral("(Annual)"));  // the queue shows the template's title
    ASSERT_EQ(actual.pages(), 1);
    ASSERT_EQ(expected.pages(), 1);
    EXPECT_EQ(actual.pageSizes[0], job.page);
    Queues::expectAt(actual.inkCorners[0], expected.inkCorners[0] + QPointF(job.shiftPt, job.shiftPt), "label");
}

INSTANTIATE_TEST_SUITE_P(BothStocksOnBothQueues, WindowPrintJob,
                         ::testing::Values(Job{PrintServiceQueues::Plain, false, {612, 792}, 0},
                                           Job{PrintServiceQueues::Margins, false, {612, 792},
                                               PrintServiceQueues::MarginPt},
                                           Job{PrintServiceQueues::Plain, true, {396, 217.5}, 0},
                                           Job{PrintServiceQueues::Margins, true, {396, 217.5}, 0}));

// The preview paints onto the printer's own pages: the label stands where Print puts it.
TEST_F(WindowPrintService, printingFromThePreviewPutsTheLabelWherePrintDoes)
{
    openShop(false);
    QPrinter printer(QPrinterInfo::printerInfo(QLatin1String(Queues::Margins)), QPrinter::HighResolution);
    const printing::PrintRequest snapshot = window->session().printRequest().value();
    EXPECT_TRUE(mainwindow::renderLabelPages(snapshot, printer).result.printed());
    const QStringList files = queues.printed(1);
    ASSERT_EQ(files.size(), 1);

    const QString exported = folder.file(QStringLiteral("exported.pdf"));
    writePdf(snapshot, exported);
    const PrintedPdf actual = PrintedPdf::read(files.first());
    ASSERT_EQ(actual.pages(), 1);
    EXPECT_EQ(actual.pageSizes[0], QSizeF(612, 792));
    Queues::expectAt(actual.inkCorners[0],
                     PrintedPdf::read(exported).inkCorners.at(0) + QPointF(Queues::MarginPt, Queues::MarginPt),
                     "label");
}

struct Refusal {
    const char* name;
    const char* tool;  // what happens to the queue between choosing it and printing
    const char* reason;
};

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << refusal.name;
}

class WindowRefusedJob : public WindowPrintService, public ::testing::WithParamInterface<Refusal> {};

// The message names the printer and says why; the window is usable again behind it.
TEST_P(WindowRefusedJob, aQueueThatCannotPrintIsReportedAndTheWindowStaysUsable)
{
    const Refusal& refusal = GetParam();
    openShop(false);
    const QString queue = queues.addOwnQueue();
    choosePrinter(queue);
    if (QByteArray(refusal.tool) == "lpadmin")
        Queues::admin(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
    else
        Queues::admin(QLatin1String(refusal.tool), {QStringLiteral("-r"), QStringLiteral("Out of labels"), queue});
    print();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    const FakeDialogs::Message& message = dialogs.messages.front();
    EXPECT_EQ(message.icon, QMessageBox::Critical);
    EXPECT_TRUE(message.text.contains(QStringLiteral("\"%1\"").arg(queue))) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(QLatin1String(refusal.reason))) << message.text.toStdString();
    EXPECT_FALSE(window->printCommand().panelUp());
    EXPECT_TRUE(window->controls().printButton->isEnabled());
    EXPECT_TRUE(window->controls().setupButton->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(PausedRejectingGone, WindowRefusedJob,
                         ::testing::Values(Refusal{"paused", "cupsdisable", "is paused: Out of labels"},
                                           Refusal{"rejecting", "cupsreject", "is not accepting jobs: Out of labels"},
                                           Refusal{"gone", "lpadmin", "is no longer available"}));

// Fitting and the alignment sheet go by the printer Print uses: the one chosen at set-up,
// with the printable area its queue reports.
TEST_F(WindowPrintService, theStockIsFittedForThePrinterChosenAtSetUp)
{
    openShop(false);
    choosePrinter(QLatin1String(Queues::Uneven));
    const ui::PrintPlace place = ui::windowPrintPlace(*window);
    EXPECT_EQ(place.name, QStringLiteral("the printer \"TagwrightUneven\""));
    EXPECT_EQ(place.printable, QRectF(QPointF(240, 180), QPointF(11880, 14760)));
}

}  // namespace
