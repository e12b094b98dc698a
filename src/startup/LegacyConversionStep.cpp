#include "LegacyConversionStep.h"

#include "legacy/AccessHeader.h"
#include "files/FilePlacement.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>

namespace tagwright::startup {

namespace schema = store::schema;

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString tagwrightSetupDataPath(const QString& setupPath)
{
    store::Database db;
    if (!db.open(setupPath, schema::setupTables(), store::Database::Access::ReadOnly).ok())
        return {};
    store::TableCursor cursor;
    if (!cursor.open(db, schema::SetupTable).ok() || !cursor.hasCurrent())
        return {};
    return cursor.value(schema::setup::DataPath).toString();
}

QString aboutFile(const QString& path, const QString& what)
{
    return QStringLiteral("%1 (%2) comes from an earlier program: it is an Access database.\n"
                          "Tagwright will convert it to its own format and keep the original "
                          "unchanged as %3.")
        .arg(shown(path), what, shown(QFileInfo(files::keptOriginalName(path)).fileName()));
}

// The child's one line on stderr, without the program's name in front.
QString childMessage(const ConversionRun& run)
{
    QString message = run.errorText.trimmed();
    message.remove(QRegularExpression(QStringLiteral("^tagwright-cli: ")));
    return message;
}

}  // namespace

AccessFilesFound findAccessFiles(const QString& workingFolder, const QString& defaultFolder)
{
    AccessFilesFound found;
    found.setupPath = QDir(workingFolder).filePath(schema::SetupFileName);
    if (!QFileInfo(found.setupPath).isFile())
        return found;
    found.setupIsAccess = legacy::isAccessFile(found.setupPath);
    if (found.setupIsAccess)
        return found;   // its DataPath is read by the conversion, out of this process
    QString dataPath = tagwrightSetupDataPath(found.setupPath);
    if (dataPath.isEmpty())
        dataPath = defaultFolder;
    found.mainPath = schema::mainDatabasePath(dataPath);
    found.mainIsAccess = legacy::isAccessFile(found.mainPath);
    return found;
}

QString conversionQuestion(const AccessFilesFound& found)
{
    QStringList parts;
    if (found.setupIsAccess)
        parts << aboutFile(found.setupPath, QStringLiteral("the setup database")) +
                     QStringLiteral("\nThe main database it names (QUILLON.MDB) is converted the same way.");
    if (found.mainIsAccess)
        parts << aboutFile(found.mainPath, QStringLiteral("the main database"));
    parts << QStringLiteral("Convert now? Quit leaves every file as it is.");
    return parts.join(QStringLiteral("\n\n"));
}

ConversionChoice offerConversion(const QString& workingFolder, const QString& defaultFolder,
                                 const QString& cliProgram, ConversionDialogs& dialogs)
{
    const AccessFilesFound found = findAccessFiles(workingFolder, defaultFolder);
    if (!found.any())
        return ConversionChoice::NothingToConvert;
    if (!dialogs.askToConvert(conversionQuestion(found)))
        return ConversionChoice::Quit;
    if (!QFileInfo(cliProgram).isExecutable()) {
        dialogs.showFailure(QStringLiteral("Tagwright cannot convert the files: the program %1 that "
                                           "converts them is missing.").arg(shown(cliProgram)));
        return ConversionChoice::Failed;
    }
    QStringList arguments{QStringLiteral("convert"), QStringLiteral("--setup"), found.setupPath,
                          QStringLiteral("--progress")};
    ConversionRun run = dialogs.runWithProgress(cliProgram, arguments, workingFolder);
    QString reason = childMessage(run);
    // Refused for want of a data folder (the setup record names a Windows one): ask for it,
    // as the command line's --data-path would take it.
    while (run.started && run.exitCode == 2 && reason.contains(QLatin1String("--data-path"))) {
        const QString folder = dialogs.chooseDataFolder(reason, workingFolder);
        if (folder.isEmpty())
            return ConversionChoice::Quit;
        run = dialogs.runWithProgress(cliProgram, arguments + QStringList{QStringLiteral("--data-path"), folder},
                                      workingFolder);
        reason = childMessage(run);
    }
    if (run.started && !run.crashed && run.exitCode == 0)
        return ConversionChoice::Converted;
    if (reason.isEmpty())
        reason = run.started ? QStringLiteral("The conversion stopped unexpectedly (exit status %1).").arg(run.exitCode)
                             : QStringLiteral("The conversion could not be started.");
    dialogs.showFailure(QStringLiteral("Tagwright could not convert the Access files; nothing was "
                                       "changed.\n\n%1").arg(reason));
    return ConversionChoice::Failed;
}

bool QtConversionDialogs::askToConvert(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tagwright"), question);
    box.setObjectName(QStringLiteral("ConvertQuestion"));
    QPushButton* convert = box.addButton(QStringLiteral("Convert"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Quit"), QMessageBox::RejectRole);
    box.setDefaultButton(convert);
    box.exec();
    return box.clickedButton() == convert;
}

ConversionRun QtConversionDialogs::runWithProgress(const QString& program, const QStringList& arguments,
                                                   const QString& workingFolder)
{
    QProgressDialog progress(QStringLiteral("Converting the shop's Access files..."), QString(), 0, 0);
    progress.setObjectName(QStringLiteral("ConvertProgress"));
    progress.setWindowTitle(QStringLiteral("Tagwright"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(300);   // a small file is done before a dialog would help
    progress.setMinimumWidth(420);
    progress.setValue(0);

    QProcess process;
    process.setWorkingDirectory(workingFolder);
    QEventLoop loop;
    QByteArray pending;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &progress, [&] {
        pending += process.readAllStandardOutput();
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            const QString line = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            if (line.startsWith(QLatin1String("progress "))) {
                const QStringList numbers = line.split(u' ');
                if (numbers.size() == 3) {
                    progress.setMaximum(int(numbers[2].toLongLong()));
                    progress.setValue(int(numbers[1].toLongLong()));
                }
            } else if (line.startsWith(QLatin1String("Reading "))) {
                progress.setLabelText(QStringLiteral("Converting %1...")
                                          .arg(QFileInfo(line.mid(8)).fileName()));
            }
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    process.start(program, arguments);
    ConversionRun run;
    run.started = process.waitForStarted();
    if (run.started && process.state() != QProcess::NotRunning)
        loop.exec();
    QApplication::restoreOverrideCursor();
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.errorText = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString QtConversionDialogs::chooseDataFolder(const QString& why, const QString& startFolder)
{
    QMessageBox::information(nullptr, QStringLiteral("Tagwright"),
                             why.section(QStringLiteral(" Name the folder"), 0, 0) +
                                 QStringLiteral("\n\nChoose the folder that holds QUILLON.MDB."));
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("The folder that holds QUILLON.MDB"),
                                             startFolder);
}

void QtConversionDialogs::showFailure(const QString& text)
{
    QMessageBox::critical(nullptr, QStringLiteral("Tagwright"), text);
}

}  // namespace tagwright::startup
