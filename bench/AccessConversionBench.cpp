#include "legacy/AccessImport.h"
#include "legacy/AccessReader.h"
#include "legacy/ShopConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tagwright::legacy;

namespace {

// The largest shop file known: 2,572 templates and 320 signatories left after deletions.
const QString ManyFile = QDir(QStringLiteral(TAGWRIGHT_LEGACY_DATA)).filePath(QStringLiteral("many-access2000.mdb"));
const QString SetupFile = QDir(QStringLiteral(TAGWRIGHT_LEGACY_DATA)).filePath(QStringLiteral("setup-access2000.mdb"));

// Reading only: libmdb's pages, rows and memos into plain rows.
void ReadManyAccessFile(benchmark::State& state)
{
    for (auto _ : state) {
        const AccessContents contents = readAccessFile(ManyFile);
        if (!contents.ok())
            state.SkipWithError(contents.error.toUtf8().constData());
        benchmark::DoNotOptimize(contents.tables.size());
    }
}
BENCHMARK(ReadManyAccessFile)->Unit(benchmark::kMillisecond);

// What `tagwright-cli convert` does to a shop folder: read both files, write both databases
// (one transaction each, flushed), keep the originals and swap the new files in. Must stay
// under 3 s.
void ConvertShopFolderWithManyTemplates(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        QFile::copy(SetupFile, folder.filePath(QStringLiteral("SetupTGW.MDB")));
        QFile::copy(ManyFile, folder.filePath(QStringLiteral("QUILLON.MDB")));
        state.ResumeTiming();
        const ConversionReport report = convertShopFiles({folder.filePath(QStringLiteral("SetupTGW.MDB")), {}});
        if (!report.ok())
            state.SkipWithError(report.error.toUtf8().constData());
        state.PauseTiming();
        folder.remove();
        state.ResumeTiming();
    }
}
BENCHMARK(ConvertShopFolderWithManyTemplates)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
