#include "Command.h"
#include "Terminal.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/ServerAddress.h"
#include "store/ShareCopy.h"
#include "store/TableCursor.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace tagwright::cli {

namespace {

const QCommandLineOption Setup(QStringLiteral("setup"),
                               QStringLiteral("The setup database (default: SetupTGW.MDB in the working folder)."),
                               QStringLiteral("PATH"), store::schema::SetupFileName);
const QCommandLineOption To(QStringLiteral("to"),
                            QStringLiteral("The PostgreSQL database to move to: a postgresql:// URI or "
                                           "key=value connection string, without a password."),
                            QStringLiteral("URI"));
const QCommandLineOption Replace(QStringLiteral("replace"),
                                 QStringLiteral("Replace the templates, signatories and settings the "
                                                "database already holds."));

int fail(QTextStream& err, const store::StoreError& error, int code = Failed)
{
    const QString where = error.path.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(error.path);
    complain(err, error.message.simplified() + where);
    return code;
}

// `tagwright-cli share --to URI [--replace]`: copies the main database the setup record names
// onto a database server and points the setup record's DataPath at it, so every workstation
// whose DataPath names the server shares the templates from then on.
int runShare(const Invocation& invocation)
{
    const QCommandLineParser& parser = invocation.options;
    QTextStream& out = invocation.out;
    QTextStream& err = invocation.err;
    const QString target = parser.value(To);
    if (target.isEmpty())
        throw Refusal{QStringLiteral("Where to? Give --to URI (postgresql://host/dbname).")};
    if (!store::isServerAddress(target))
        throw Refusal{QStringLiteral("--to takes a postgresql:// URI or a key=value connection "
                                     "string, not \"%1\".").arg(target)};
    store::ServerAddress address;
    if (store::StoreError error = store::parseServerAddress(target, address); !error.ok())
        return fail(err, error, Refused);

    store::Database setup;
    if (store::StoreError error = setup.open(parser.value(Setup), store::schema::setupTables());
        !error.ok())
        return fail(err, error);
    store::TableCursor setupRecord;
    if (store::StoreError error = setupRecord.open(setup, store::schema::SetupTable); !error.ok())
        return fail(err, error);
    QString dataPath = setupRecord.hasCurrent()
        ? setupRecord.value(store::schema::setup::DataPath).toString() : QString();
    if (dataPath.isEmpty())
        dataPath = invocation.environment.dataFolder;

    store::Database from;
    if (store::StoreError error = from.openMain(dataPath, store::Database::Access::ReadOnly);
        !error.ok())
        return fail(err, error);
    store::Database to;
    if (store::StoreError error = to.openServer(target, store::schema::mainTables(), true);
        !error.ok())
        return fail(err, error);
    if (to.path() == from.path())
        throw Refusal{QStringLiteral("The main database already is %1.").arg(to.path())};

    store::CopyCount count;
    if (store::StoreError error = store::copyMainDatabase(from, to, parser.isSet(Replace), count);
        !error.ok())
        return fail(err, error, error.number == store::TargetNotEmpty ? Refused : Failed);

    store::StoreError error = setupRecord.hasCurrent() ? setupRecord.edit() : setupRecord.addNew();
    if (error.ok())
        error = setupRecord.setValue(store::schema::setup::DataPath, target);
    if (error.ok())
        error = setupRecord.update();
    if (!error.ok()) {
        err << "tagwright-cli: Copied, but DataPath could not be changed: "
            << error.message.simplified() << " (" << error.path << ")" << Qt::endl;
        return Failed;
    }
    out << "Copied " << count.templates << " templates, " << count.signatories
        << " signatories and " << count.settings << " settings records to " << to.path()
        << ".\nDataPath now names it." << Qt::endl;
    return Ok;
}

}  // namespace

Command shareCommand()
{
    return Command{
        QStringLiteral("share"),
        QStringLiteral("Move the main database onto a PostgreSQL server for several workstations."),
        QStringLiteral("Copies the templates, signatories and settings, in order, into an empty "
                       "PostgreSQL database (tables are created) and points the setup record's "
                       "DataPath at it. A database that already holds templates is refused "
                       "unless --replace is given. Passwords come from ~/.pgpass, PGPASSWORD "
                       "or a service file, never from the command line."),
        {Setup, To, Replace},
        {},
        runShare,
    };
}

}  // namespace tagwright::cli
