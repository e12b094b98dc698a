#include "Command.h"
#include "ServerOptions.h"

#include "store/ServerAddress.h"
#include "store/ShopOnServer.h"

#include <QTextStream>

namespace tagwright::cli {

namespace {

// `tagwright-cli join URI`: points this workstation's setup record at a shop that another
// workstation moved onto a database server.
int runJoin(const Invocation& invocation)
{
    const QString target = invocation.positional.value(0);
    checkServerAddress(target, QStringLiteral("URI"));
    if (invocation.positional.size() > 1)
        throw Refusal{QStringLiteral("join takes one server, not %1.").arg(invocation.positional.size())};
    store::CopyCount found;
    const store::StoreError error = store::joinShop(setupPathOf(invocation), target, found);
    if (!error.ok())
        return fail(invocation.err, error, error.number == store::TableMissing ? Refused : Failed);
    store::ServerAddress address;
    // joinShop() has read the same address: it parses.
    static_cast<void>(store::parseServerAddress(target, address));
    invocation.out << "Joined the shop at " << address.display << ": " << found.templates << " templates, "
                   << found.signatories << " signatories, " << found.entries
                   << " journal entries. DataPath now names it." << Qt::endl;
    return Ok;
}

}  // namespace

Command joinCommand()
{
    return Command{
        QStringLiteral("join"),
        QStringLiteral("Use the shop another workstation moved onto a PostgreSQL server."),
        QStringLiteral("Checks that the PostgreSQL database holds a Tagwright shop and points this "
                       "workstation's setup record (DataPath) at it; the setup database is created "
                       "when there is none. A database without a shop is refused: move the shop "
                       "there first with `tagwright-cli share`. Passwords come from ~/.pgpass, "
                       "PGPASSWORD or a service file, never from the command line."),
        {setupOption()},
        {QStringLiteral("URI")},
        runJoin,
    };
}

}  // namespace tagwright::cli
