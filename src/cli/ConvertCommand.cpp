#include "Command.h"
#include "Terminal.h"

#include "legacy/ReaderGuard.h"
#include "legacy/ShopConversion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

#include <optional>

namespace tagwright::cli {

namespace {

// "progress DONE TOTAL" for the window's progress bar, at most once a percent.
class ProgressLines {
public:
    explicit ProgressLines(QTextStream& out) : m_out(out) {}
    void operator()(qint64 done, qint64 total)
    {
        const qint64 percent = total > 0 ? done * 100 / total : 100;
        if (percent == m_lastPercent && done != total)
            return;
        m_lastPercent = percent;
        m_out << "progress " << done << ' ' << total << Qt::endl;
    }

private:
    QTextStream& m_out;
    qint64 m_lastPercent = -1;
};

int runConvert(const Invocation& call)
{
    legacy::ConversionRequest request;
    request.setupPath = call.options.isSet(QStringLiteral("setup"))
                            ? call.options.value(QStringLiteral("setup"))
                            : call.environment.setupPath;
    if (call.options.isSet(QStringLiteral("data-path")))
        request.dataPath = call.options.value(QStringLiteral("data-path"));

    // The guard is up while the Access files are read and down before the first write.
    std::optional<legacy::ReaderGuard> guard;
    ProgressLines progressLines(call.out);
    legacy::ConversionProgress progress;
    progress.reading = [&](const QString& path) {
        if (guard)
            guard->reading(path);
        else
            guard.emplace(path, legacy::ReaderGuard::secondsFor(path) +
                                    legacy::ReaderGuard::secondsFor(request.setupPath));
        call.out << "Reading " << QDir::toNativeSeparators(path) << Qt::endl;
    };
    if (call.options.isSet(QStringLiteral("progress")))
        progress.rows = [&](qint64 done, qint64 total) { progressLines(done, total); };
    progress.writing = [&] { guard.reset(); };

    const legacy::ConversionReport report = legacy::convertShopFiles(request, progress);
    guard.reset();
    for (const QString& line : report.lines)
        call.out << line << Qt::endl;
    if (report.exit == legacy::ConversionReport::Refused)
        throw Refusal{report.error};
    if (!report.ok()) {
        complain(call.err, report.error);
        return Failed;
    }
    return Ok;
}

}  // namespace

Command convertCommand()
{
    return Command{
        QStringLiteral("convert"),
        QStringLiteral("Convert the shop's Access files to Tagwright databases in place."),
        QStringLiteral("Converts the setup database and the main database its DataPath names, each "
                       "only when it is an Access file. Each original is kept byte for byte beside "
                       "the new file (QUILLON.MDB.access); the new file is written under a temporary "
                       "name and swapped in only when complete. When DataPath is a Windows folder "
                       "that does not exist here, --data-path names the folder instead; without it "
                       "the setup file's folder is used when it holds QUILLON.MDB."),
        {QCommandLineOption(QStringLiteral("setup"), QStringLiteral("The setup database (default: the one the window uses, SetupTGW.MDB)."),
                            QStringLiteral("PATH")),
         QCommandLineOption(QStringLiteral("data-path"), QStringLiteral("The folder that holds QUILLON.MDB."),
                            QStringLiteral("FOLDER")),
         QCommandLineOption(QStringLiteral("progress"), QStringLiteral("Report rows read as \"progress DONE TOTAL\" lines."))},
        {},
        runConvert,
    };
}

}  // namespace tagwright::cli
