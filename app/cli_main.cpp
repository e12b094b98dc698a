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

#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <malloc.h>
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

// Decoded here rather than by Qt, file names keep bytes that are not UTF-8.
QStringList decodedArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(tagwright::cli::decodeArgument(QByteArray(argv[i])));
    return arguments;
}

// Help and the version need no window system: they are written before Qt starts. A line
// that would be refused is left to the whole program, which takes Qt's own options (such as
// -platform) out first.
bool answeredBeforeQt(int argc, char** argv)
{
    QString text;
    QString complaint;
    QTextStream out(&text);
    QTextStream err(&complaint);
    if (tagwright::cli::answerWithoutRunning(decodedArguments(argc, argv), out, err) != tagwright::cli::Ok)
        return false;
    out.flush();
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    return true;
}

// Once a command has returned, its output is written, its files are in place and its
// databases are closed; Qt's tear-down would only undo its own start (setting fontconfig up
// just to free it). The program ends without it.
[[noreturn]] void leave(int code, QTextStream& out, QTextStream& err, std::optional<QTemporaryDir>& runtimeDir)
{
    out.flush();
    err.flush();
    std::fflush(nullptr);
    if (runtimeDir)
        runtimeDir->remove();
    ::_exit(code);
}

// Qt's PDF writer builds each sheet's page in buffers of a few hundred kilobytes and frees
// them when the sheet is done. glibc gives blocks that size back to the system at once, so
// every sheet paid for fresh memory pages again (a tenth of a millisecond a label); kept,
// they are reused. The memory a command uses at its peak is the same.
void keepFreedBuffers()
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

}  // namespace

int main(int argc, char** argv)
{
    keepFreedBuffers();
    silenceLibraries();
    qInstallMessageHandler(quietQtMessages);
    if (answeredBeforeQt(argc, argv))
        return tagwright::cli::Ok;
    // Scripts run it without a display; fonts and PDF output need no window system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt complains on stderr without a runtime folder; stderr carries only our one line.
    std::optional<QTemporaryDir> runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.emplace().path()));
    QGuiApplication app(argc, argv);
    tagwright::store::nameTheProgram(app);
    QTextStream out(stdout);
    QFile errFile;
    errFile.open(realStderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream err(&errFile);
    // Qt has taken its own options out of argv.
    const QStringList arguments = decodedArguments(argc, argv);
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
    leave(tagwright::cli::runCommandLine(arguments, out, err, environment), out, err, runtimeDir);
}
