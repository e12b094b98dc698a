#pragma once

#include "Aircraft.h"
#include "Disagreement.h"
#include "JournalEntry.h"

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
    // with the known make or serial teaches nothing and is noted on the aircraft instead.
    store::StoreError add(JournalEntry& entry);
    // Adds every entry as add() does, all in one transaction (imports and measurements).
    store::StoreError addAll(QVector<JournalEntry>& entries);

    // A label's entry is written before its output is placed (the PDF renamed into place, the
    // job sent), as "Printing", and settled once the output is: so no label is ever out
    // without its entry, and one a crash interrupted stays listed as "Printing".
    store::StoreError begin(JournalEntry& entry);
    // Writes how the label ended ("Printed", or "Failed: " and why) into entry `number`.
    store::StoreError settle(qint64 number, const QString& result);
    // found is false (and no error) when there is no entry `number`.
    store::StoreError entry(qint64 number, JournalEntry& entry, bool& found);
    store::StoreError find(const JournalFilter& filter, const JournalPage& page,
                           QVector<JournalEntry>& entries);
    // The numbers of the entries that pass `filter`, in order.
    store::StoreError numbers(const JournalFilter& filter, QVector<qint64>& numbers);
    // How many entries pass `filter`.
    store::StoreError count(const JournalFilter& filter, qint64& entries);
    // The highest entry number given so far (0 for an empty journal).
    store::StoreError newestNumber(qint64& number);

    // Every aircraft, ordered by registration.
    store::StoreError aircraft(QVector<Aircraft>& list);
    // found is false when the registration is not known.
    store::StoreError aircraftNamed(const QString& registration, Aircraft& aircraft, bool& found);
    // Where a label for `registration` with `make` and `serial` differs from the known
    // aircraft; none for an aircraft not known yet.
    store::StoreError disagreement(const QString& registration, const QString& make,
                                   const QString& serial, std::optional<Disagreement>& found);
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
    store::StoreError learnAircraft(const JournalEntry& entry);

    store::Database& m_database;
};

// A header value counts as given unless it is blank or only the underscores a print left
// for a value to be written in by hand.
bool isGivenValue(const QString& value);

}  // namespace tagwright::journal
