#include "printing/LabelPrinter.h"
#include "printing/LogoPicture.h"
#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"
#include "printing/RecordingSurface.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tagwright::printing;

namespace {

// A shop logo as shops draw them: a few flat colours with smoothed edges on the grey box.
QImage shopLogo()
{
    QImage picture(37, 37, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(16, 64, 160));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(2, 2, 33, 33);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(18, 6), QPointF(30, 28), QPointF(6, 28)}));
    painter.end();
    return LogoPicture::boxPixels(picture);
}

PrintRequest sheetWindow(int sheets)
{
    PrintRequest w;
    w.label.registration.caption = QStringLiteral("Reg #");
    w.label.make.caption = QStringLiteral("Make");
    w.label.serial.caption = QStringLiteral("Serial");
    w.label.tach.caption = QStringLiteral("Tach");
    w.label.totalTime.caption = QStringLiteral("T.T.");
    w.label.sinceOverhaul.caption = QStringLiteral("SMOH");
    w.label.registration.value = QStringLiteral("N123AB");
    w.label.make.value = QStringLiteral("Cessna 172S");
    w.label.date = QStringLiteral("03-07-2001");
    w.label.company.name = QStringLiteral("Skyline Aero Services");
    w.label.company.address = QStringLiteral("1200 Hangar Road");
    w.label.company.cityStateZip = QStringLiteral("Wichita, KS 67209");
    w.label.company.phone = QStringLiteral("316-555-0142");
    w.label.printsCompany = true;
    w.label.printsSignature = true;
    w.label.signatory = QStringLiteral("J. Smith A&P 123456789");
    const QString sentence = QStringLiteral(
        "Performed 100 hour inspection per FAR 43 Appendix D; oil and filter changed, "
        "plugs cleaned and gapped, compression 74/80 76/80 75/80 77/80. ");
    while (w.label.body.size() < 600)
        w.label.body += sentence;
    w.label.body.truncate(600);
    w.label.bodyFont = {QStringLiteral("Arial"), 8.25f, false, false};
    w.label.logo = shopLogo();
    w.sheet.copies = 6 * sheets;
    w.sheet.used = {};
    return w;
}

void ComposeSheetOnRecordingSurface(benchmark::State& state)
{
    const PrintRequest window = sheetWindow(1);
    for (auto _ : state) {
        RecordingSurface surface;
        LabelPrinter printer;
        benchmark::DoNotOptimize(printer.PrintLabels(surface, window));
    }
    state.counters["sheets/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(ComposeSheetOnRecordingSurface)->Unit(benchmark::kMillisecond);

void RenderSheetsToPdf(benchmark::State& state)
{
    const int sheets = int(state.range(0));
    const PrintRequest window = sheetWindow(sheets);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sheets.pdf"));
    for (auto _ : state) {
        PdfTarget target(file);
        QtPrinterSurface surface(target);
        LabelPrinter printer;
        benchmark::DoNotOptimize(printer.PrintLabels(surface, window));
        target.finish();
    }
    state.counters["ms/sheet"] = benchmark::Counter(
        double(state.iterations()) * sheets,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["pdf_bytes"] = double(QFileInfo(file).size());
}
BENCHMARK(RenderSheetsToPdf)->Arg(1)->Arg(5)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
