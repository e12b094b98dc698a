#include "Command.h"
#include "LabelOutput.h"
#include "ShopDatabase.h"
#include "Terminal.h"

#include "journal/Journal.h"
#include "journal/JournalCsv.h"
#include "journal/PrintInput.h"
#include "store/Database.h"

#include <QCommandLineParser>
#include <QTextStream>

// The journal's commands: `journal` lists what was printed, `reprint` prints an entry again
// as it printed then, `aircraft` lists the shop's aircraft the journal has learned.
namespace tagwright::cli {

namespace {

const QString Setup = QStringLiteral("setup");
const QString Csv = QStringLiteral("csv");

QCommandLineOption setupOption()
{
    return {Setup, QStringLiteral("The setup database (default: see \"tagwright-cli --help\")."),
            QStringLiteral("PATH")};
}

QCommandLineOption csvOption()
{
    return {Csv, QStringLiteral("Comma-separated values with a header row.")};
}

QString setupPath(const Invocation& invocation)
{
    return invocation.options.isSet(Setup) ? invocation.options.value(Setup)
                                           : invocation.environment.setupPath;
}

// The shop's main database, or -1 after one line on stderr.
int openShop(const Invocation& invocation, store::Database& main)
{
    const store::StoreError error =
        openShopDatabase(setupPath(invocation), invocation.environment.dataFolder, main);
    if (error.ok())
        return Ok;
    complain(invocation.err, storeMessage(error));
    return Failed;
}

int storeFailed(const Invocation& invocation, const store::StoreError& error)
{
    complain(invocation.err, storeMessage(error));
    return Failed;
}

QDate parseDay(const QString& option, const QString& text)
{
    for (const QString& format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("MM-dd-yyyy")}) {
        const QDate day = QDate::fromString(text.trimmed(), format);
        if (day.isValid())
            return day;
    }
    throw Refusal{QStringLiteral("--%1 takes a date as YYYY-MM-DD or MM-DD-YYYY, not \"%2\".")
                      .arg(option, text)};
}

int runJournal(const Invocation& invocation)
{
    const QCommandLineParser& parser = invocation.options;
    journal::JournalFilter filter;
    filter.registration = parser.value(QStringLiteral("aircraft"));
    if (parser.isSet(QStringLiteral("since")))
        filter.since = parseDay(QStringLiteral("since"), parser.value(QStringLiteral("since")));
    if (parser.isSet(QStringLiteral("until")))
        filter.until = parseDay(QStringLiteral("until"), parser.value(QStringLiteral("until")));
    store::Database main;
    if (const int code = openShop(invocation, main); code != Ok)
        return code;
    journal::JournalPage order;
    order.descending = parser.isSet(QStringLiteral("newest-first"));
    const store::Result<QVector<journal::JournalEntry>> found = journal::Journal(main).find(filter, order);
    if (!found)
        return storeFailed(invocation, found.error());
    const QVector<journal::JournalEntry>& entries = *found;
    QTextStream& out = invocation.out;
    if (parser.isSet(Csv)) {
        out << journal::csv::entries(entries);
        return Ok;
    }
    const QVector<int> widths{6, 19, 12, 20, 0};
    out << listingRow({QStringLiteral("Entry"), QStringLiteral("Printed"), QStringLiteral("Registration"),
                QStringLiteral("Template"), QStringLiteral("Destination, result")},
               widths);
    for (const journal::JournalEntry& e : entries) {
        QString where = e.destination + QStringLiteral(", ") + e.result;
        if (e.facts.repeats >= 0)
            where += QStringLiteral(" (reprint of %1)").arg(e.facts.repeats);
        out << listingRow({QString::number(e.number), journal::csv::localTime(e), e.registration(),
                           e.facts.templateTitle, where},
                          widths);
    }
    return Ok;
}

int runAircraft(const Invocation& invocation)
{
    store::Database main;
    if (const int code = openShop(invocation, main); code != Ok)
        return code;
    const store::Result<QVector<journal::Aircraft>> known = journal::Journal(main).aircraft();
    if (!known)
        return storeFailed(invocation, known.error());
    const QVector<journal::Aircraft>& list = *known;
    QTextStream& out = invocation.out;
    if (invocation.options.isSet(Csv)) {
        out << journal::csv::aircraft(list);
        return Ok;
    }
    const QVector<int> widths{12, 24, 14, 8, 8, 8, 0};
    out << listingRow({QStringLiteral("Registration"), QStringLiteral("Make"), QStringLiteral("Serial"),
                QStringLiteral("Tach"), QStringLiteral("T.T."), QStringLiteral("SMOH"),
                QStringLiteral("Times dated")},
               widths);
    for (const journal::Aircraft& plane : list) {
        out << listingRow({plane.registration, plane.make, plane.serial, plane.tach, plane.totalTime,
                    plane.sinceOverhaul, plane.timesDate},
                   widths);
    }
    return Ok;
}

int runReprint(const Invocation& invocation)
{
    const QCommandLineParser& parser = invocation.options;
    if (invocation.positional.size() != 1)
        throw Refusal{QStringLiteral("Which entry? Give one entry number: reprint N --pdf FILE.")};
    bool isNumber = false;
    const qint64 number = invocation.positional.first().toLongLong(&isNumber);
    if (!isNumber || number < 1)
        throw Refusal{QStringLiteral("An entry number is a whole number from 1, not \"%1\".")
                          .arg(invocation.positional.first())};
    LabelOutput output;
    if (parser.isSet(QStringLiteral("pdf")))
        output.pdf = parser.value(QStringLiteral("pdf"));
    if (parser.isSet(QStringLiteral("printer")))
        output.printer = parser.value(QStringLiteral("printer"));
    if (!output.pdf && !output.printer)
        throw Refusal{QStringLiteral("Nothing to print to: give --pdf FILE or --printer NAME.")};
    output.setupPath = setupPath(invocation);

    store::Database main;
    if (const int code = openShop(invocation, main); code != Ok)
        return code;
    const store::Result<std::optional<journal::JournalEntry>> read = journal::Journal(main).entry(number);
    if (!read)
        return storeFailed(invocation, read.error());
    output.database = &main;
    if (!*read) {
        complain(invocation.err, QStringLiteral("The journal has no entry %1.").arg(number));
        return Refused;
    }
    const journal::JournalEntry& entry = **read;
    output.facts = entry.facts;
    output.facts.repeats = entry.number;
    return sendLabel(invocation, journal::printRequestFor(entry), output);
}

}  // namespace

Command journalCommand()
{
    return Command{
        QStringLiteral("journal"),
        QStringLiteral("List the labels the programs printed."),
        QStringLiteral("Lists the journal's entries, oldest first (--newest-first: the newest "
                       "first, as the journal view does): every label printed or written to a PDF "
                       "file by the window or by \"tagwright-cli print\", with where it went and "
                       "how it ended. The CSV form holds every value of each entry, its number in "
                       "the first column."),
        {setupOption(),
         {QStringLiteral("aircraft"),
          QStringLiteral("Only entries for this registration, letter case and blanks around it ignored."),
          QStringLiteral("REG")},
         {QStringLiteral("since"), QStringLiteral("Only entries printed on or after this day."),
          QStringLiteral("DATE")},
         {QStringLiteral("until"), QStringLiteral("Only entries printed on or before this day."),
          QStringLiteral("DATE")},
         {QStringLiteral("newest-first"), QStringLiteral("List the newest entry first.")},
         csvOption()},
        {},
        runJournal,
    };
}

Command reprintCommand()
{
    return Command{
        QStringLiteral("reprint"),
        QStringLiteral("Print a journal entry again, exactly as it printed then."),
        QStringLiteral("Prints entry N with the content and layout it had (values, date, body and "
                       "font, logo file, signatory, stock, copies, used cells, offsets), whatever "
                       "the template holds now. The reprint is journaled as an entry of its own "
                       "that names the entry it repeats."),
        {setupOption(),
         {QStringLiteral("pdf"), QStringLiteral("Write the labels into this PDF file."), QStringLiteral("FILE")},
         {QStringLiteral("printer"), QStringLiteral("Print on this system printer (\"default\" for the default one)."),
          QStringLiteral("NAME")}},
        {QStringLiteral("N")},
        runReprint,
    };
}

Command aircraftCommand()
{
    return Command{
        QStringLiteral("aircraft"),
        QStringLiteral("List the shop's aircraft the journal has learned."),
        QStringLiteral("Lists each registration printed with its make and serial and its last "
                       "tach, total time and time since overhaul, with the label date they were "
                       "printed with."),
        {setupOption(), csvOption()},
        {},
        runAircraft,
    };
}

}  // namespace tagwright::cli
