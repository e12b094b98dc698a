#include "Command.h"
#include "Terminal.h"

#include "files/FilePlacement.h"
#include "legacy/AccessImport.h"
#include "legacy/ReaderGuard.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace tagwright::cli {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

int runImportAccess(const Invocation& call)
{
    if (call.positional.size() != 1 || !call.options.isSet(QStringLiteral("to")))
        throw Refusal{QStringLiteral("import-access takes one Access file and --to TARGET.")};
    const QString source = call.positional.first();
    const QString target = call.options.value(QStringLiteral("to"));
    if (const QString refusal = files::linkRefusal(target); !refusal.isEmpty())
        throw Refusal{refusal};
    if (QFileInfo::exists(target))
        throw Refusal{QStringLiteral("%1 already exists; import-access writes a new file and never "
                                     "overwrites one.").arg(shown(target))};
    // The guard is up while the Access file is read and down before the first write.
    std::optional<legacy::ReaderGuard> guard;
    guard.emplace(source, legacy::ReaderGuard::secondsFor(source));
    const legacy::WriteResult result = legacy::importAccessFile(source, target, [&] { guard.reset(); });
    guard.reset();
    if (!result.ok()) {
        complain(call.err, result.error);
        return Failed;
    }
    call.out << "Copied " << shown(source) << " to " << shown(target) << " ("
             << (result.summary.kind == legacy::DatabaseKind::Setup ? "setup" : "main")
             << " database):" << Qt::endl;
    for (const QString& line : result.summary.lines())
        call.out << "  " << line << Qt::endl;
    return Ok;
}

}  // namespace

Command importAccessCommand()
{
    return Command{
        QStringLiteral("import-access"),
        QStringLiteral("Copy an Access file of the earlier program into a new Tagwright database."),
        QStringLiteral("Reads every table of SOURCE (an Access 2000-2003 .mdb or Access 2007+ .accdb "
                       "file, told by its header) and writes a new Tagwright database at TARGET with "
                       "the same tables, fields, values and order. TARGET must not exist; SOURCE is "
                       "only read. Prints each table copied with its row count."),
        {QCommandLineOption(QStringLiteral("to"), QStringLiteral("The new Tagwright database to write."),
                            QStringLiteral("TARGET"))},
        {QStringLiteral("SOURCE")},
        runImportAccess,
    };
}

}  // namespace tagwright::cli
