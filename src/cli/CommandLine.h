#pragma once

#include "Command.h"

#include <QStringList>

class QTextStream;

namespace tagwright::cli {

// `tagwright-cli COMMAND [OPTIONS]`, `tagwright-cli [COMMAND] --help`, `tagwright-cli
// --version`. `arguments` excludes the program name. Help and version go to `out` (exit 0);
// bad arguments are one line on `err` (exit 2).
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Environment& environment);

}  // namespace tagwright::cli
