#include "cli/CommandLine.h"
#include "cli/Terminal.h"
#include "printers/PrintableArea.h"
#include "printers/PrinterTarget.h"
#include "store/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <fcntl.h>
#include <unistd.h>

namespace {

bool verbose()
{
    return qEnvironmentVariableIsSet("TAGWRIGHT_CLI_VERBOSE");
}

// Where our own line goes: the stderr the program was started with.
int realStderr = STDERR_FILENO;

// Scripts read one line on stderr when something goes wrong; Qt's own warnings about the
// same failure would only bury it. TAGWRIGHT_CLI_VERBOSE=1 lets them through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg || verbose()) {
        const QByteArray line = message.toLocal8Bit() + '\n';
        [[maybe_unused]] const auto written = ::write(realStderr, line.constData(), std::size_t(line.size()));
    }
}

// The libraries a job uses (libpng inside the logo renderer, libwmf, fontconfig) write their
// own warnings straight to stderr. Unless TAGWRIGHT_CLI_VERBOSE is set, stderr is pointed at
// /dev/null and our line goes to the original one.
void silenceLibraries()
{
    if (verbose())
        return;
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int kept = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (null < 0 || kept < 0)
        return;
    ::dup2(null, STDERR_FILENO);
    ::close(null);
    realStderr = kept;
}

}  // namespace

int main(int argc, char** argv)
{
    silenceLibraries();
    qInstallMessageHandler(quietQtMessages);
    // Scripts run it without a display; fonts and PDF output need no window system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt complains on stderr without a runtime folder; stderr carries only our one line.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QGuiApplication app(argc, argv);
    tagwright::store::nameTheProgram(app);
    QTextStream out(stdout);
    QFile errFile;
    errFile.open(realStderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream err(&errFile);
    // Qt has taken its own options out of argv. Decoded here rather than by Qt, file names
    // keep bytes that are not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(tagwright::cli::decodeArgument(QByteArray(argv[i])));
    tagwright::cli::Environment environment;
    environment.openPrinter = [](const QString& name, QString& message, int& exitCode)
        -> std::unique_ptr<tagwright::printing::PrintTarget> {
        auto printer = tagwright::printers::PrinterTarget::printerNamed(name, message);
        if (!printer) {
            exitCode = name == QStringLiteral("default") ? tagwright::cli::Failed : tagwright::cli::Refused;
            return nullptr;
        }
        return std::make_unique<tagwright::printers::PrinterTarget>(std::move(printer));
    };
    environment.printableArea = [](const QString& name, QString& message, int& exitCode)
        -> std::optional<tagwright::cli::PrintableArea> {
        tagwright::cli::PrintableArea area;
        const std::optional<QRectF> twips = tagwright::printers::letterPrintableArea(name, message, &area.printer);
        if (!twips) {
            exitCode = name == QStringLiteral("default") ? tagwright::cli::Failed : tagwright::cli::Refused;
            return std::nullopt;
        }
        area.twips = *twips;
        return area;
    };
    const tagwright::store::DataLocation location =
        tagwright::store::decideDataLocation(QDir::currentPath(), tagwright::store::programFolder());
    environment.setupPath = location.setupPath();
    environment.dataFolder = location.defaultDataFolder;
    return tagwright::cli::runCommandLine(arguments, out, err, environment);
}
