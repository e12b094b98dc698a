#pragma once

#include "store/Schema.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <QRectF>

#include <functional>
#include <memory>
#include <optional>

class QCommandLineParser;
class QTextStream;

namespace tagwright::printing {
class PrintTarget;
}

namespace tagwright::cli {

// Exit codes of `tagwright-cli`.
enum Exit : int {
    Ok = 0,
    Failed = 1,   // a database, file or printer failure
    Refused = 2,  // bad arguments, or input the job refuses
};

// Opens a system printer by name ("default" for the default one). Returns null and sets
// `message` and `exitCode` when there is none. Supplied by the program, since printers need
// the widget libraries that the command line's library does not link.
using PrinterOpener = std::function<std::unique_ptr<printing::PrintTarget>(
    const QString& name, QString& message, int& exitCode)>;

// The part of a US Letter sheet a printer can print, in twips from the sheet's corner.
struct PrintableArea {
    QRectF twips;
    QString printer;  // the printer's own name ("default" resolved)
};
// The printable area of the printer named `name` ("default" for the default one); nothing,
// with `message` and `exitCode`, when there is no such printer. Supplied by the program, for
// the same reason.
using PrintableAreaReader = std::function<std::optional<PrintableArea>(
    const QString& name, QString& message, int& exitCode)>;

// What the program hands to every command. The two folders come from the rule the window
// follows too (store::decideDataLocation), so both open the same databases.
struct Environment {
    PrinterOpener openPrinter;
    PrintableAreaReader printableArea;
    // The setup database when no --setup names one.
    QString setupPath = store::schema::SetupFileName;
    // Stands in for a missing DataPath, as at the window's start-up.
    QString dataFolder;
};

// A command's run function gets its options parsed and checked for syntax; what they mean
// is for the command to judge.
struct Invocation {
    const QCommandLineParser& options;
    QStringList positional;
    QTextStream& out;  // results (traces, listings)
    QTextStream& err;  // at most one line when something goes wrong
    const Environment& environment;
};

// One entry of the command table. Adding a command is one source file that defines its
// factory and one line in the table (Commands.cpp).
struct Command {
    QString name;
    QString summary;                    // one line, for `tagwright-cli --help`
    QString description;                // a paragraph, for `tagwright-cli NAME --help`
    QList<QCommandLineOption> options;  // every one with a description; --help is added
    QStringList positional;             // names of arguments that are not options, for usage
    std::function<int(const Invocation&)> run;
};

// Thrown while a command reads its options: the command is refused with this one line and
// exit code 2.
struct Refusal {
    QString message;
};

// The command table, in the order `--help` lists it.
const QList<Command>& commands();

// "usage: tagwright-cli NAME [--option VALUE] ..." on one line.
QString usageLine(const Command& command);

}  // namespace tagwright::cli
