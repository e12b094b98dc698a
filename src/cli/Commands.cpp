#include "Command.h"

namespace tagwright::cli {

// Each command's factory lives in its own source file.
Command printCommand();
Command importAccessCommand();
Command convertCommand();
Command shareCommand();
Command joinCommand();
Command journalCommand();
Command reprintCommand();
Command aircraftCommand();
Command fitStockCommand();
Command signatoryCommand();

const QList<Command>& commands()
{
    static const QList<Command> table{
        printCommand(),
        importAccessCommand(),
        convertCommand(),
        shareCommand(),
        joinCommand(),
        journalCommand(),
        reprintCommand(),
        aircraftCommand(),
        fitStockCommand(),
        signatoryCommand(),
    };
    return table;
}

}  // namespace tagwright::cli
