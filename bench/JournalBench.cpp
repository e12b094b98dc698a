#include "BenchCheck.h"

#include "journal/Journal.h"
#include "journal/JournalModel.h"
#include "journal/JournalWriter.h"
#include "journal/PrintInput.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// The journal with 100,000 entries for 500 aircraft, on a database file and on the
// PostgreSQL server named by TAGWRIGHT_TEST_PG. Targets: the entries of one registration in
// at most 50 ms, the journal view's data open in at most 200 ms, and at most 2 ms spent on
// the entry of one print from the window.

using namespace tagwright;

namespace {

constexpr int Entries = 100000;
constexpr int Aircraft = 500;

QString registration(int i)
{
    return QStringLiteral("N%1AB").arg(1000 + i % Aircraft);
}

journal::JournalEntry entry(int i)
{
    journal::JournalEntry e;
    e.printedAt = QDateTime::currentDateTimeUtc().addSecs(-60LL * (Entries - i));
    e.facts.templateTitle = QStringLiteral("Template %1").arg(i % 40);
    e.line(journal::Slot::Registration) = {QStringLiteral("Reg #"), registration(i)};
    e.line(journal::Slot::Make) = {QStringLiteral("Make"), QStringLiteral("Cessna 172")};
    e.line(journal::Slot::Serial) = {QStringLiteral("Serial"), QString::number(17200000 + i % Aircraft)};
    e.line(journal::Slot::Tach) = {QStringLiteral("Tach"), QString::number(1000 + i / Aircraft)};
    e.request.label.date = QStringLiteral("03-07-2026");
    e.request.label.body = QStringLiteral("Performed 100 hour inspection. Aircraft found airworthy. ").repeated(3);
    e.request.label.bodyFont.FontName = QStringLiteral("Arial");
    e.destination = QStringLiteral("Laser");
    e.result = QStringLiteral("Printed");
    return e;
}

struct Shop {
    QTemporaryDir folder;
    std::unique_ptr<test::ServerDatabase> server;
    store::Database db;
    QString skip;
};

// Closed before the application object goes, which the database drivers need.
std::unique_ptr<Shop> shops[2];

Shop* shop(benchmark::State& state)
{
    const bool onServer = state.range(0) == 1;
    std::unique_ptr<Shop>& slot = shops[onServer ? 1 : 0];
    if (!slot) {
        slot = std::make_unique<Shop>();
        QString dataPath = slot->folder.path();
        if (onServer) {
            slot->skip = test::ServerDatabase::skipReason();
            if (slot->skip.isEmpty()) {
                slot->server = std::make_unique<test::ServerDatabase>();
                dataPath = slot->server->dataPath();
            }
        } else {
            store::Database file;
            bench::mustWork(file.create(store::schema::mainDatabasePath(dataPath), store::schema::mainStatements()));
        }
        if (slot->skip.isEmpty()) {
            if (store::StoreError error = slot->db.openMain(dataPath); !error.ok())
                slot->skip = error.describe();
        }
        if (slot->skip.isEmpty()) {
            QVector<journal::JournalEntry> entries;
            entries.reserve(Entries);
            for (int i = 0; i < Entries; ++i)
                entries.append(entry(i));
            if (store::StoreError error = journal::Journal(slot->db).addAll(entries); !error.ok())
                slot->skip = error.describe();
        }
    }
    if (!slot->skip.isEmpty()) {
        state.SkipWithError(slot->skip.toStdString().c_str());
        return nullptr;
    }
    return slot.get();
}

// `tagwright-cli journal --aircraft REG` and the view's registration filter: 200 entries.
void BM_FilterByRegistration(benchmark::State& state)
{
    Shop* s = shop(state);
    if (!s)
        return;
    journal::Journal journal(s->db);
    int round = 0;
    for (auto _ : state) {
        journal::JournalFilter filter;
        filter.registration = registration(++round);
        const QVector<journal::JournalEntry> entries = bench::mustWork(journal.find(filter, {}));
        if (entries.size() != Entries / Aircraft)
            state.SkipWithError("wrong number of entries");
    }
}

// The view's registration filter, which takes how a registration starts: the list's first
// page and its total, as the view reads them.
void BM_FilterViewByRegistration(benchmark::State& state)
{
    Shop* s = shop(state);
    if (!s)
        return;
    journal::Journal journal(s->db);
    int round = 0;
    for (auto _ : state) {
        journal::JournalFilter filter;
        filter.registration = registration(++round).toLower();
        filter.prefixes = true;
        journal::JournalModel model(journal);
        model.setFilter(filter);
        if (model.total() != Entries / Aircraft)
            state.SkipWithError("wrong number of entries");
    }
}

// Opening the journal view: the model's first page, newest first, and the aircraft the
// registration box completes from.
void BM_OpenView(benchmark::State& state)
{
    Shop* s = shop(state);
    if (!s)
        return;
    journal::Journal journal(s->db);
    for (auto _ : state) {
        journal::JournalModel model(journal);
        model.setFilter({});
        const QVector<journal::Aircraft> aircraft = bench::mustWork(journal.aircraft());
        if (model.rowCount() != journal::JournalModel::PageSize || aircraft.size() != Aircraft)
            state.SkipWithError("the view did not open");
    }
}

// What one print from the window spends on its entry: making it, writing it through the
// journal writer before the label leaves (a printer's, saying "Printing") and handing over
// how it ended, which is written meanwhile (each such write is waited for outside the
// measured time, as prints come seconds apart).
void BM_PrintEntry(benchmark::State& state)
{
    Shop* s = shop(state);
    if (!s)
        return;
    journal::JournalWriter writer(s->db);
    bool failed = false;
    writer.setFailureHandler([&](const journal::JournalEntry&, const store::StoreError&) { failed = true; });
    int round = 0;
    const printing::PrintRequest input = journal::printRequestFor(entry(0));
    for (auto _ : state) {
        journal::JournalEntry made = journal::entryFor(input, {QStringLiteral("Annual"), {}});
        made.line(journal::Slot::Registration).value = registration(++round);
        made.destination = QStringLiteral("Laser");
        made.result = journal::PrintingResult;
        if (!writer.begin(made).ok())
            state.SkipWithError("the entry was not written");
        // Handing over cannot fail: the writer tells failures through its handler.
        static_cast<void>(writer.settle(made, QStringLiteral("Printed")));
        state.PauseTiming();
        writer.flush();
        state.ResumeTiming();
    }
    if (failed)
        state.SkipWithError("an entry was not recorded");
}

// The writer's part, and the command line's, which writes before it ends: the entry and its
// aircraft in one transaction, waiting for the disk.
void BM_EntryWrite(benchmark::State& state)
{
    Shop* s = shop(state);
    if (!s)
        return;
    int round = 0;
    const printing::PrintRequest input = journal::printRequestFor(entry(0));
    for (auto _ : state) {
        journal::JournalEntry made = journal::entryFor(input, {QStringLiteral("Annual"), {}});
        made.line(journal::Slot::Registration).value = registration(++round);
        made.destination = QStringLiteral("Laser");
        made.result = QStringLiteral("Printed");
        made.printedAt = QDateTime::currentDateTimeUtc();
        if (!journal::Journal(s->db).add(made).ok())
            state.SkipWithError("the entry was not recorded");
    }
}

}  // namespace

// Argument 0: the database file; 1: the PostgreSQL server.
BENCHMARK(BM_FilterByRegistration)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterViewByRegistration)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintEntry)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (std::unique_ptr<Shop>& s : shops)
        s.reset();
    return 0;
}
