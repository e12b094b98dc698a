#pragma once

#include "Aircraft.h"
#include "Disagreement.h"
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

// Which entries to list. Empty texts, null dates and zero numbers do not filter.
struct JournalFilter {
    QString registration;   // the same registration (store/Registration.h)
    QString templateTitle;  // the same title, letter case aside
    QString bodyText;       // each of its words found in the body, letter case aside
    QDate since;            // printed on or after this day (local time)
    QDate until;            // printed on or before this day (local time)
    // Registration and title name how the value starts rather than all of it (the view's
    // filters, where "n12" finds N123AB).
    bool prefixes = false;
    qint64 numberAbove = 0;   // only entries numbered above this
    qint64 numberAtMost = 0;  // only entries numbered at most this
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
    // when given, the times (each one given) with the label's date; a label that disagrees
    // with the known make or serial teaches nothing and is noted on the aircraft instead,
    // and said in the entry's `disagreement`.
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
    // The entries that pass `filter`, in the page's order and range.
    store::Result<QVector<JournalEntry>> find(const JournalFilter& filter, const JournalPage& page);
    // The numbers of the entries that pass `filter`, in order.
    store::StoreError numbers(const JournalFilter& filter, QVector<qint64>& numbers);
    // How many entries pass `filter`.
    store::StoreError count(const JournalFilter& filter, qint64& entries);
    // The highest entry number given so far (0 for an empty journal).
    store::StoreError newestNumber(qint64& number);

    // Every aircraft, ordered by registration.
    store::Result<QVector<Aircraft>> aircraft();
    // The aircraft of `registration` (the same registration, store/Registration.h), or none
    // when it is not known.
    store::Result<std::optional<Aircraft>> aircraftNamed(const QString& registration);
    // Writes a corrected aircraft over the one with its id; its registration stays unique.
    // The correction settles a label's disagreement.
    store::StoreError correctAircraft(const Aircraft& aircraft);
    store::StoreError removeAircraft(qint64 id);

    // The workstation and user this program runs as.
    static QString thisWorkstation();
    static QString thisUser();

private:
    store::StoreError insert(JournalEntry& entry);
    // Runs `write` again while another program holds the file's lock, for a bounded time.
    store::StoreError whileLocked(const std::function<store::StoreError()>& write);
    store::StoreError learnAircraft(JournalEntry& entry);

    store::Database& m_database;
};

// A header value counts as given unless it is blank or only the underscores a print left
// for a value to be written in by hand.
bool isGivenValue(const QString& value);

}  // namespace tagwright::journal
