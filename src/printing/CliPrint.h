#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTextStream;

namespace tagwright::printing {

class PrintTarget;

// Exit codes of `tagwright-cli`.
enum CliExit : int {
    CliOk = 0,
    CliFailed = 1,   // a database, file or printer failure
    CliRefused = 2,  // bad arguments, or input the job refuses
};

// Opens a system printer by name ("default" for the default one). Returns null and sets
// `message` and `exitCode` when there is none. Supplied by the program, since printers need
// the widget libraries that printing does not link.
using PrinterOpener = std::function<std::unique_ptr<PrintTarget>(
    const QString& name, QString& message, int& exitCode)>;

// `tagwright-cli print ...`: prints the template from the shop's databases as the window
// would. `arguments` excludes the program name. Trace lines go to `out`; any complaint is
// one line on `err`. `programFolder` stands in for a missing DataPath.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err,
           const PrinterOpener& openPrinter, const QString& programFolder);

}  // namespace tagwright::printing
