#pragma once

#include "Aircraft.h"
#include "JournalEntry.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Journal entries and aircraft as comma-separated values (RFC 4180: a header row, fields
// quoted where they hold a comma, a quote or a line break, lines ending in CR LF), for the
// command line and the journal view's export alike.
namespace tagwright::journal::csv {

QString entries(const QVector<JournalEntry>& entries);
QString aircraft(const QVector<Aircraft>& list);

// One field as it stands in a CSV line: a field that a spreadsheet would take for a formula
// (beginning with =, +, -, @, a tab or a carriage return, and not a plain number) gets a
// leading apostrophe.
QString field(const QString& text);

// When an entry was printed, in local time, as the listings show it.
QString localTime(const JournalEntry& entry);

}  // namespace tagwright::journal::csv
