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

LabelSnapshot sheetWindow(int sheets)
{
    LabelSnapshot w;
    w.Text19 = QStringLiteral("Reg #");
    w.Text20 = QStringLiteral("Make");
    w.Text21 = QStringLiteral("Serial");
    w.Text16 = QStringLiteral("Tach");
    w.Text17 = QStringLiteral("T.T.");
    w.Text18 = QStringLiteral("SMOH");
    w.Text3 = QStringLiteral("N123AB");
    w.Text4 = QStringLiteral("Cessna 172S");
    w.Text9 = QStringLiteral("03-07-2001");
    w.Text10 = QStringLiteral("Skyline Aero Services");
    w.Text11 = QStringLiteral("1200 Hangar Road");
    w.Text12 = QStringLiteral("Wichita, KS 67209");
    w.Text13 = QStringLiteral("316-555-0142");
    w.Check1 = 1;
    w.Check2 = 1;
    w.Combo2 = QStringLiteral("J. Smith A&P 123456789");
    const QString sentence = QStringLiteral(
        "Performed 100 hour inspection per FAR 43 Appendix D; oil and filter changed, "
        "plugs cleaned and gapped, compression 74/80 76/80 75/80 77/80. ");
    while (w.Text2.size() < 600)
        w.Text2 += sentence;
    w.Text2.truncate(600);
    w.Text2Font = {QStringLiteral("Arial"), 8.25f, false, false};
    w.Picture1 = shopLogo();
    w.Text15 = QString::number(6 * sheets);
    for (QString& mark : w.Label22)
        mark.clear();
    return w;
}

void ComposeSheetOnRecordingSurface(benchmark::State& state)
{
    const LabelSnapshot window = sheetWindow(1);
    for (auto _ : state) {
        RecordingSurface surface;
        LabelPrinter printer;
        benchmark::DoNotOptimize(printer.PrintLaserLabels(surface, window));
    }
    state.counters["sheets/s"] = benchmark::Counter(double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(ComposeSheetOnRecordingSurface)->Unit(benchmark::kMillisecond);

void RenderSheetsToPdf(benchmark::State& state)
{
    const int sheets = int(state.range(0));
    const LabelSnapshot window = sheetWindow(sheets);
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sheets.pdf"));
    for (auto _ : state) {
        PdfTarget target(file);
        QtPrinterSurface surface(target);
        LabelPrinter printer;
        benchmark::DoNotOptimize(printer.PrintLaserLabels(surface, window));
        target.finish();
    }
    state.counters["ms/sheet"] = benchmark::Counter(
        double(state.iterations()) * sheets,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["pdf_bytes"] = double(QFileInfo(file).size());
}
BENCHMARK(RenderSheetsToPdf)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

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
