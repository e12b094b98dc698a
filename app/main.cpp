#include "cli/CommandLine.h"
#include "startup/Startup.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    // --help and --version answer before the window system is reached, so they work
    // without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const auto answered = tagwright::cli::answerWindowArguments(arguments, out, err, false))
        return *answered;
    QApplication app(argc, argv);
    if (const auto refused = tagwright::cli::answerWindowArguments(app.arguments().mid(1), out, err, true))
        return *refused;
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tagwright.Tagwright"));
    return tagwright::startup::runTagwright(app);
}
