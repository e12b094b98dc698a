#include "BenchCheck.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

// Paging and saving templates over the store, on a database file and on the PostgreSQL
// server named by TAGWRIGHT_TEST_PG (scripts/postgres-server.sh starts one), with 10,000
// templates. A page step must stay well under 5 ms.

using namespace tagwright;
using namespace tagwright::store;
namespace labels = tagwright::store::schema::labels;

namespace {

constexpr int Templates = 10000;

// One shop's main database, filled once per engine and kept for the whole run.
struct Shop {
    QTemporaryDir folder;
    std::unique_ptr<test::ServerDatabase> server;
    Database db;
    QString skip;
};

// Closed before the application object goes, which the database drivers need.
std::unique_ptr<Shop> shops[2];

Shop& shop(bool onServer)
{
    std::unique_ptr<Shop>& slot = shops[onServer ? 1 : 0];
    if (slot)
        return *slot;
    slot = std::make_unique<Shop>();
    Shop& s = *slot;
    QString dataPath = s.folder.path();
    if (onServer) {
        s.skip = test::ServerDatabase::skipReason();
        if (!s.skip.isEmpty())
            return s;
        s.server = std::make_unique<test::ServerDatabase>();
        dataPath = s.server->dataPath();
    } else {
        Database file;
        bench::mustWork(file.create(schema::mainDatabasePath(dataPath), schema::mainStatements()));
    }
    if (StoreError error = s.db.openMain(dataPath); !error.ok()) {
        s.skip = error.describe();
        return s;
    }
    bench::mustWork(s.db.backend().inTransaction([&s]() -> StoreError {
        TableCursor cursor;
        bench::mustWork(cursor.open(s.db, schema::LabelsTable));
        for (int i = 0; i < Templates; ++i) {
            bench::mustWork(cursor.addNew());
            bench::mustWork(cursor.setValue(labels::Description, QStringLiteral("Template %1").arg(i)));
            bench::mustWork(cursor.setValue(labels::Body, QStringLiteral("Inspected and found airworthy. ").repeated(8)));
            bench::mustWork(cursor.setValue(labels::Font, QStringLiteral("Arial")));
            bench::mustWork(cursor.setValue(labels::Size, 8.25));
            if (StoreError error = cursor.update(); !error.ok())
                return error;
        }
        return {};
    }));
    return s;
}

// The shop for this run's engine with a cursor on its templates, or null after telling the
// benchmark why it cannot run.
Shop* openTemplates(benchmark::State& state, TableCursor& cursor)
{
    Shop& s = shop(state.range(0) == 1);
    if (!s.skip.isEmpty()) {
        state.SkipWithError(s.skip.toStdString().c_str());
        return nullptr;
    }
    bench::mustWork(cursor.open(s.db, schema::LabelsTable));
    return &s;
}

// One step forward as the window pages: move, then open the record for editing.
void BM_PageStep(benchmark::State& state)
{
    TableCursor cursor;
    if (!openTemplates(state, cursor))
        return;
    for (auto _ : state) {
        cursor.moveNext();
        if (cursor.eof())
            cursor.moveFirst();
        bench::mustWork(cursor.edit());
        benchmark::DoNotOptimize(cursor.value(labels::Body));
    }
}

// Saving the template on show: every field the window writes, checked against changes made
// elsewhere.
void BM_SaveTemplate(benchmark::State& state)
{
    TableCursor cursor;
    if (!openTemplates(state, cursor))
        return;
    cursor.moveLast();
    int round = 0;
    for (auto _ : state) {
        bench::mustWork(cursor.edit());
        bench::mustWork(cursor.setValue(labels::Body, QStringLiteral("Saved %1").arg(++round)));
        bench::mustWork(cursor.setValue(labels::Header, 1));
        bench::mustWork(cursor.setValue(labels::Signed, 1));
        bench::mustWork(cursor.setValue(labels::Bold, false));
        if (!cursor.update().ok()) {
            state.SkipWithError("save failed");
            return;
        }
    }
}

// Opening the templates at start-up or after a refresh: reading 10,000 identities.
void BM_Refresh(benchmark::State& state)
{
    TableCursor cursor;
    if (!openTemplates(state, cursor))
        return;
    for (auto _ : state)
        bench::mustWork(cursor.refresh());
}

}  // namespace

// Argument 0: the database file; 1: the PostgreSQL server.
BENCHMARK(BM_PageStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveTemplate)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Refresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
