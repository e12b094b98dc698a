#include "LegacyCommands.h"

#include "AccessImport.h"
#include "ReaderGuard.h"
#include "ShopConversion.h"

#include "store/Schema.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace tagwright::legacy {

namespace {

enum Exit { Ok = 0, Failed = 1, Refused = 2 };

// Generous for a shop's files (the largest known converts in well under a second), short
// enough that a reader caught in a loop gives up before anyone waits for it.
int readingSeconds(const QString& path)
{
    return 5 + int(QFileInfo(path).size() / (1 << 20));
}

// Parses `arguments` (without the program and command names); false with a message on err.
bool parse(QCommandLineParser& parser, const QString& command, const QStringList& arguments,
           QTextStream& err)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("tagwright-cli")} + arguments)) {
        err << "tagwright-cli " << command << ": " << parser.errorText() << Qt::endl;
        return false;
    }
    return true;
}

// At most one progress line per percent: the window needs no more.
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

}  // namespace

int runImportAccess(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QString usage = QStringLiteral("usage: tagwright-cli import-access SOURCE --to TARGET");
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("to"), QStringLiteral("The new Tagwright database."), QStringLiteral("TARGET")});
    if (!parse(parser, QStringLiteral("import-access"), arguments, err))
        return Refused;
    if (parser.positionalArguments().size() != 1 || !parser.isSet(QStringLiteral("to"))) {
        err << usage << Qt::endl;
        return Refused;
    }
    const QString source = parser.positionalArguments().first();
    const QString target = parser.value(QStringLiteral("to"));
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        err << "tagwright-cli: " << QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath())
            << " already exists; import-access writes a new file and never overwrites one." << Qt::endl;
        return Refused;
    }
    WriteResult result;
    {
        ReaderGuard guard(source, readingSeconds(source));
        result = importAccessFile(source, target);
    }
    if (!result.ok()) {
        err << "tagwright-cli: " << result.error << Qt::endl;
        return Failed;
    }
    out << "Copied " << QDir::toNativeSeparators(QFileInfo(source).absoluteFilePath()) << " to "
        << QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath()) << " ("
        << (result.summary.kind == DatabaseKind::Setup ? "setup" : "main") << " database):" << Qt::endl;
    for (const QString& line : result.summary.lines())
        out << "  " << line << Qt::endl;
    return Ok;
}

int runConvert(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("setup"), QStringLiteral("The setup database."), QStringLiteral("PATH")});
    parser.addOption({QStringLiteral("data-path"), QStringLiteral("The folder that holds QUILLON.MDB."),
                      QStringLiteral("FOLDER")});
    parser.addOption({QStringLiteral("progress"), QStringLiteral("Report rows read.")});
    if (!parse(parser, QStringLiteral("convert"), arguments, err))
        return Refused;
    if (!parser.positionalArguments().isEmpty()) {
        err << "usage: tagwright-cli convert [--setup PATH] [--data-path FOLDER]" << Qt::endl;
        return Refused;
    }
    ConversionRequest request;
    request.setupPath = parser.isSet(QStringLiteral("setup"))
                            ? parser.value(QStringLiteral("setup"))
                            : QDir::current().filePath(store::schema::SetupFileName);
    if (parser.isSet(QStringLiteral("data-path")))
        request.dataPath = parser.value(QStringLiteral("data-path"));

    std::optional<ReaderGuard> guard;
    ProgressLines progressLines(out);
    ConversionProgress progress;
    progress.reading = [&](const QString& path) {
        if (guard)
            guard->reading(path);
        else
            guard.emplace(path, readingSeconds(path) + readingSeconds(request.setupPath));
        out << "Reading " << QDir::toNativeSeparators(path) << Qt::endl;
    };
    if (parser.isSet(QStringLiteral("progress")))
        progress.rows = [&](qint64 done, qint64 total) { progressLines(done, total); };
    // The guard stays up while both files are read and ends before the first write.
    progress.writing = [&] { guard.reset(); };
    const ConversionReport report = convertShopFiles(request, progress);
    guard.reset();
    for (const QString& line : report.lines)
        out << line << Qt::endl;
    if (!report.ok()) {
        err << "tagwright-cli: " << report.error << Qt::endl;
        return report.exit;
    }
    return Ok;
}

}  // namespace tagwright::legacy
