#include "BenchCheck.h"

// The shop's largest inputs: a database of 10,000 templates (the window must be usable soon
// after the splash's second) and a 1 MB body without a space (printed on either stock).

#include "mainwindow/MainWindow.h"
#include "mainwindow/TemplateCard.h"
#include "printing/LabelPrinter.h"
#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"
#include "startup/MainWindowAssembly.h"
#include "startup/StoreBootstrap.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "../tests/support/FakeDialogs.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tagwright;

namespace {

// The folder with "SetupTGW.MDB" and a "QUILLON.MDB" of `count` templates, made once.
const QTemporaryDir& shopWithTemplates(int count)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    auto& folder = made[count];
    if (folder)
        return *folder;
    folder = std::make_unique<QTemporaryDir>();
    store::Database setup, main;
    bench::mustWork(startup::openSetupDatabase(setup, folder->path()));
    bench::mustWork(startup::ensureSetupRecord(setup, folder->path()));
    const QString mainPath = QDir(folder->path()).filePath(store::schema::MainFileName);
    bench::mustWork(main.create(mainPath, store::schema::mainStatements()));
    main.close();
    {
        // Bulk rows through a plain connection: the store writes one record per transaction.
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bulk"));
        raw.setDatabaseName(mainPath);
        raw.open();
        raw.transaction();
        QSqlQuery insert(raw);
        insert.prepare(QStringLiteral(
            "INSERT INTO Labels (Description, Body, Font, Size, Header, Signed, LeftTop, LeftMiddle, "
            "LeftBottom, LabelTop, LabelMiddle, LabelBottom) VALUES (?, ?, 'Arial', 8.25, 1, 1, "
            "'Reg #', 'Make', 'Serial', 'Tach', 'T.T.', 'SMOH')"));
        for (int n = 0; n < count; ++n) {
            insert.addBindValue(QStringLiteral("Template %1").arg(n, 5, 10, QLatin1Char('0')));
            insert.addBindValue(QStringLiteral("Performed inspection number %1 per FAR 43.").arg(n));
            insert.exec();
        }
        QSqlQuery(raw).exec(QStringLiteral("INSERT INTO CompanyInfo (DefLabel) VALUES ('Template 05000')"));
        raw.commit();
        insert = QSqlQuery();
        raw.close();
        raw = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("bulk"));
    }
    return *folder;
}

// What the splash's timer starts: open the main database, assemble and load the window,
// show it and run its first activation (the default template on the card).
void WindowUsableAfterTheSplash(benchmark::State& state)
{
    const QTemporaryDir& folder = shopWithTemplates(int(state.range(0)));
    test::FakeDialogs dialogs;
    for (auto _ : state) {
        store::Database setup, main;
        bench::mustWork(startup::openSetupDatabase(setup, folder.path()));
        bench::mustWork(startup::openMainDatabase(main, folder.path(), folder.path()));
        std::unique_ptr<mainwindow::MainWindow> window =
            startup::assembleMainWindow(main, setup, dialogs);
        if (!window->load().ok())
            state.SkipWithError("the window did not load");
        window->show();
        window->card().activate();
        QCoreApplication::processEvents();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(WindowUsableAfterTheSplash)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// A 1 MB body with no space to break at, printed to PDF: range(0) 0 laser sheet, 1 tractor.
void LongUnbrokenBody(benchmark::State& state)
{
    printing::PrintRequest window;
    window.label.body = QString(1 << 20, u'W');
    window.label.bodyFont = {QStringLiteral("Arial"), 8.25f, false, false};
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("body.pdf"));
    for (auto _ : state) {
        printing::PdfTarget target(file);
        printing::QtPrinterSurface surface(target);
        printing::LabelPrinter printer;
        window.stock = state.range(0) == 0 ? printing::LabelStock::Laser : printing::LabelStock::Tractor;
        benchmark::DoNotOptimize(printer.PrintLabels(surface, window));
        target.finish();
    }
}
BENCHMARK(LongUnbrokenBody)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
