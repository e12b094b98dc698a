#pragma once

#include "Aircraft.h"
#include "JournalEntry.h"

#include "store/Result.h"
#include "store/StoreError.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

namespace tagwright::store {
class Database;
}

namespace tagwright::journal {

// Which entries to list. Empty texts and null dates do not filter.
struct JournalFilter {
    QString registration;   // equal, letter case aside
    QString templateTitle;  // equal, letter case aside
    QString bodyText;       // found anywhere in the body, letter case aside
    QDate since;            // printed on or after this day (local time)
    QDate until;            // printed on or before this day (local time)
};

// The columns entries can be listed in order of.
enum class JournalOrder { Number, PrintedAt, Registration, Template, Destination, Result };

struct JournalPage {
    JournalOrder order = JournalOrder::Number;
    bool descending = false;
    int limit = -1;   // -1: every entry
    int offset = 0;
};

// The journal of printed labels and the shop's aircraft learned from it, in the main
// database. Adding an entry is one transaction, which also updates the entry's aircraft.
class Journal {
public:
    explicit Journal(store::Database& database) : m_database(database) {}

    // Stamps the entry with the time, workstation and user when it has none, adds it and
    // sets its number. An entry that is no reprint updates its aircraft: make and serial
    // when given, the times (each one given) with the label's date.
    store::StoreError add(JournalEntry& entry);
    // Adds every entry as add() does, all in one transaction (imports and measurements).
    store::StoreError addAll(QVector<JournalEntry>& entries);

    // Writes how the label ended ("Printed", or "Failed: " and why) into entry `number`: a
    // label's entry is added before the label is placed or sent (saying "Printing" while a
    // printer takes it), so no label is ever out without its entry, and one a crash
    // interrupted stays listed as "Printing".
    store::StoreError settle(qint64 number, const QString& result);
    // Entry `number`, or none (and no error) when there is no such entry.
    store::Result<std::optional<JournalEntry>> entry(qint64 number);
    store::StoreError find(const JournalFilter& filter, const JournalPage& page,
                           QVector<JournalEntry>& entries);

    // Every aircraft, ordered by registration.
    store::StoreError aircraft(QVector<Aircraft>& list);
    // The aircraft of `registration` (letter case aside), or none when it is not known.
    store::Result<std::optional<Aircraft>> aircraftNamed(const QString& registration);
    // Writes a corrected aircraft over the one with its id; its registration stays unique.
    store::StoreError correctAircraft(const Aircraft& aircraft);
    store::StoreError removeAircraft(qint64 id);

    // The workstation and user this program runs as.
    static QString thisWorkstation();
    static QString thisUser();

private:
    store::StoreError insert(JournalEntry& entry);
    // Runs `write` again while another program holds the file's lock, for a bounded time.
    store::StoreError whileLocked(const std::function<store::StoreError()>& write);
    store::StoreError learnAircraft(const JournalEntry& entry);

    store::Database& m_database;
};

// A header value counts as given unless it is blank or only the underscores a print left
// for a value to be written in by hand.
bool isGivenValue(const QString& value);

}  // namespace tagwright::journal
