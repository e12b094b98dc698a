#pragma once

#include "Command.h"

#include <QStringList>

#include <optional>

class QTextStream;

namespace tagwright::cli {

// `tagwright-cli COMMAND [OPTIONS]`, `tagwright-cli [COMMAND] --help`, `tagwright-cli
// --version`. `arguments` excludes the program name. Help and version go to `out` (exit 0);
// bad arguments are one line on `err` (exit 2).
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Environment& environment);

// runCommandLine() up to the point where a command would run: help and the version are
// written and refusals made exactly as it would (returning the exit code), without a
// command ever running (returning nothing). Needs no application object, so the program
// answers these without starting Qt's window system.
std::optional<int> answerWithoutRunning(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The window program's own options: --help and --version. `arguments` excludes the program
// name. Returns the exit code when they are answered or refused, nothing when the window
// should start. Before QApplication has taken Qt's own options (-platform, -style ...)
// pass `qtOptionsTaken` false: only --help and --version are looked for, so they work
// without a display; afterwards anything left over is refused with one line, exit 2.
std::optional<int> answerWindowArguments(const QStringList& arguments, QTextStream& out,
                                         QTextStream& err, bool qtOptionsTaken);

}  // namespace tagwright::cli
