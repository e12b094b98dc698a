#include "Command.h"
#include "ServerOptions.h"
#include "Terminal.h"

#include "journal/Disagreement.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/ServerAddress.h"
#include "store/ShareCopy.h"
#include "store/ShopOnServer.h"
#include "store/TableCursor.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace tagwright::cli {

namespace {

const QCommandLineOption To(QStringLiteral("to"),
                            QStringLiteral("The PostgreSQL database to move to: a postgresql:// URI or "
                                           "key=value connection string, without a password."),
                            QStringLiteral("URI"));
const QCommandLineOption Replace(QStringLiteral("replace"),
                                 QStringLiteral("Replace the shop the database already holds (its "
                                                "templates, signatories and settings); its journal "
                                                "keeps every entry, and this file's are added."));

// After the server went silent during the copy, whether the copy's transaction had ended
// there is asked once more, on a new connection and with a shorter wait: the templates on
// the server are this shop's, title for title, or they are not.
enum class Arrival { Arrived, NotArrived, Unknown };

Arrival copyArrived(store::Database& from, const QString& target)
{
    constexpr int CheckLimit = 1500;
    store::Database server;
    if (!server.openServer(target, store::schema::mainTables(), false, CheckLimit).ok())
        return Arrival::Unknown;
    using Column = QVector<QPair<qint64, QVariant>>;
    Column there;
    Column here;
    if (!server.backend().fieldColumn(store::schema::LabelsTable, store::schema::labels::Description, there).ok())
        return Arrival::Unknown;
    if (!from.backend().fieldColumn(store::schema::LabelsTable, store::schema::labels::Description, here).ok()
        || here.size() != there.size())
        return Arrival::NotArrived;
    for (qsizetype i = 0; i < here.size(); ++i) {
        if (here[i].second != there[i].second)
            return Arrival::NotArrived;
    }
    return Arrival::Arrived;
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
    checkServerAddress(target, QStringLiteral("--to URI"));

    store::Database setup;
    if (store::StoreError error = setup.open(setupPathOf(invocation), store::schema::setupTables());
        !error.ok())
        return fail(err, error);
    QString dataPath;
    {
        store::TableCursor setupRecord;
        if (store::StoreError error = setupRecord.open(setup, store::schema::SetupTable); !error.ok())
            return fail(err, error);
        if (setupRecord.hasCurrent())
            dataPath = setupRecord.value(store::schema::setup::DataPath).toString();
    }
    if (dataPath.isEmpty())
        dataPath = invocation.environment.dataFolder;
    // Writing DataPath back as it is shows, before anything is copied, that the setup file
    // takes the new one afterwards.
    if (store::StoreError error = store::writeDataPath(setup, dataPath); !error.ok()) {
        complain(err, QStringLiteral("Nothing was copied: the setup database cannot be changed, "
                                     "so DataPath could not name the server afterwards: %1 (%2)")
                          .arg(error.message.simplified(), error.path));
        return Failed;
    }

    store::Database from;
    if (store::StoreError error = from.openMain(dataPath, store::Database::Access::ReadOnly);
        !error.ok())
        return fail(err, error);
    store::Database to;
    if (store::StoreError error = to.openServer(target, store::schema::mainTables(), true);
        !error.ok())
        return fail(err, error);
    store::ServerAddress targetAddress, sourceAddress;
    if (store::isServerAddress(dataPath) && store::parseServerAddress(dataPath, sourceAddress).ok()
        && store::parseServerAddress(target, targetAddress).ok() && sourceAddress.place == targetAddress.place)
        throw Refusal{QStringLiteral("The main database already is %1.").arg(to.path())};

    store::CopyCount there;
    if (store::StoreError error = store::countShop(to, there); !error.ok())
        return fail(err, error);
    store::CopyCount here;
    if (store::StoreError error = store::countShop(from, here); !error.ok())
        return fail(err, error);
    if (store::holdsAShop(there) && !parser.isSet(Replace)) {
        throw Refusal{QStringLiteral("%1 already holds a shop (%2 templates, %3 signatories, %4 "
                                     "journal entries; this file holds %5, %6 and %7). To work "
                                     "with it from this workstation: tagwright-cli join %8. To "
                                     "replace its templates, signatories and settings with the "
                                     "ones here, give --replace; its journal keeps every entry, "
                                     "and this file's are added after them.")
                          .arg(to.path(), QString::number(there.templates), QString::number(there.signatories),
                               QString::number(there.entries), QString::number(here.templates),
                               QString::number(here.signatories), QString::number(here.entries), target)};
    }

    store::CopyCount count;
    if (store::StoreError error = store::copyMainDatabase(from, to, true, count, journal::storedLabelDisagrees);
        !error.ok()) {
        if (error.number != store::ServerUnavailable)
            return fail(err, error);
        switch (copyArrived(from, target)) {
        case Arrival::NotArrived:
            complain(err, QStringLiteral("%1 Nothing was copied (asked again: the server does not hold "
                                         "this shop's templates); DataPath is unchanged.")
                              .arg(error.message.simplified()));
            return Failed;
        case Arrival::Unknown:
            complain(err, QStringLiteral("%1 Whether the copy arrived is not known: the server did not "
                                         "answer when asked again. DataPath is unchanged; once the server "
                                         "answers, \"tagwright-cli join %2\" tells whether it holds the shop.")
                              .arg(error.message.simplified(), target));
            return Failed;
        case Arrival::Arrived:
            out << "The server was slow to answer, but the copy arrived (asked again: it holds this "
                   "shop's templates)." << Qt::endl;
            break;
        }
    }

    if (store::StoreError error = store::writeDataPath(setup, target); !error.ok()) {
        complain(err, QStringLiteral("Copied, but DataPath could not be changed: %1 (%2)")
                          .arg(error.message.simplified(), error.path));
        return Failed;
    }
    out << "Copied " << count.templates << " templates, " << count.signatories
        << " signatories and " << count.settings << " settings records, and the journal's "
        << count.entries << " entries with " << count.aircraft << " aircraft, to " << to.path() << ".\n";
    if (there.entries > 0) {
        out << "Its journal held " << there.entries << " entries, which stay; this file's "
            << here.entries << " were added after them";
        if (count.entriesAlreadyThere > 0)
            out << ", but for " << count.entriesAlreadyThere << " it held already";
        out << ". It now holds " << there.entries + count.entries << ".\n";
        if (count.entriesDisagreeing > 0)
            out << count.entriesDisagreeing << " of the added labels give an aircraft it knows another make "
                   "or serial: its aircraft keep their values, and the aircraft page shows the newest such "
                   "label.\n";
    }
    out << "DataPath now names it. On each other workstation: tagwright-cli join " << target
        << Qt::endl;
    return Ok;
}

}  // namespace

Command shareCommand()
{
    return Command{
        QStringLiteral("share"),
        QStringLiteral("Move the main database onto a PostgreSQL server for several workstations."),
        QStringLiteral("Copies the templates, signatories and settings, then the journal of "
                       "printed labels and the shop's aircraft, in order, into an empty "
                       "PostgreSQL database (tables are created) and points the setup record's "
                       "DataPath at it. A database that already holds a shop is refused: other "
                       "workstations join it with `tagwright-cli join`, and --replace replaces "
                       "its templates, signatories and settings on purpose. A journal is never "
                       "emptied: the database's entries stay, and this file's are added after "
                       "them. Passwords come from ~/.pgpass, PGPASSWORD or a service file, never "
                       "from the command line."),
        {setupOption(), To, Replace},
        {},
        runShare,
    };
}

}  // namespace tagwright::cli
