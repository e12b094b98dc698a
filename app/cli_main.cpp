#include "mainwindow/PrinterTarget.h"
#include "printing/CliPrint.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv)
{
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
    const auto openPrinter = [](const QString& name, QString& message, int& exitCode)
        -> std::unique_ptr<tagwright::printing::PrintTarget> {
        auto printer = tagwright::mainwindow::PrinterTarget::printerNamed(name, message);
        if (!printer) {
            exitCode = name == QStringLiteral("default") ? tagwright::printing::CliFailed
                                                         : tagwright::printing::CliRefused;
            return nullptr;
        }
        return std::make_unique<tagwright::mainwindow::PrinterTarget>(std::move(printer));
    };
    return tagwright::printing::runCli(app.arguments().mid(1), out, err, openPrinter,
                                       QCoreApplication::applicationDirPath());
}
