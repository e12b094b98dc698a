#include "mainwindow/PrinterTarget.h"
#include "cli/CommandLine.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// Scripts read one line on stderr when something goes wrong; Qt's own warnings about the
// same failure would only bury it. TAGWRIGHT_CLI_VERBOSE=1 lets them through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg || qEnvironmentVariableIsSet("TAGWRIGHT_CLI_VERBOSE"))
        QTextStream(stderr) << message << Qt::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietQtMessages);
    // Scripts run it without a display; fonts and PDF output need no window system.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt complains on stderr without a runtime folder; stderr carries only our one line.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    tagwright::cli::Environment environment;
    environment.openPrinter = [](const QString& name, QString& message, int& exitCode)
        -> std::unique_ptr<tagwright::printing::PrintTarget> {
        auto printer = tagwright::mainwindow::PrinterTarget::printerNamed(name, message);
        if (!printer) {
            exitCode = name == QStringLiteral("default") ? tagwright::cli::Failed : tagwright::cli::Refused;
            return nullptr;
        }
        return std::make_unique<tagwright::mainwindow::PrinterTarget>(std::move(printer));
    };
    environment.dataFolder = QCoreApplication::applicationDirPath();
    return tagwright::cli::runCommandLine(app.arguments().mid(1), out, err, environment);
}
