#include "Command.h"

namespace tagwright::cli {

// Each command's factory lives in its own source file.
Command printCommand();
Command shareCommand();

const QList<Command>& commands()
{
    static const QList<Command> table{
        printCommand(),
        shareCommand(),
    };
    return table;
}

}  // namespace tagwright::cli
