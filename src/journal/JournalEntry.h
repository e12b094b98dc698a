#pragma once

#include "Disagreement.h"

#include "printing/PrintRequest.h"

#include <QDateTime>
#include <QString>

namespace tagwright::journal {

// The six header slots in their fixed order: left column, then right column.
using Slot = printing::HeaderSlot;
using HeaderLine = printing::HeaderLine;

// What a print command knows beside its request: the template it printed and its logo file,
// and the entry a reprint repeats.
struct PrintFacts {
    QString templateTitle;
    QString logoFile;        // empty: no logo
    qint64 repeats = -1;     // the entry a reprint repeats, -1 for none
};

// The result of an entry whose label is being placed or sent; one that stays so was
// interrupted.
inline const QString PrintingResult = QStringLiteral("Printing");

// One label command that left the program: the request it printed (enough to print it again
// exactly so; the logo is read again from its file), the facts of the print, and where it
// went and how it ended.
struct JournalEntry {
    qint64 number = -1;      // given by the journal when the entry is added
    QDateTime printedAt;     // UTC
    QString workstation;     // host name
    QString user;
    PrintFacts facts;
    // The header lines, date, body and font, company block, signatory, stock, the copies
    // printed (whole labels; one on tractor feed), used cells and offsets. No logo pixels.
    printing::PrintRequest request;
    QString destination;     // printer name or PDF file
    QString result;          // "Printing" until settled, then "Printed" or why it failed
    // Set by the journal as it adds the entry: the known aircraft whose make or serial this
    // label gives otherwise (the aircraft notes the entry; the entry's record does not).
    std::optional<Disagreement> disagreement;

    const HeaderLine& line(Slot slot) const { return request.label.line(slot); }
    HeaderLine& line(Slot slot) { return request.label.line(slot); }
    QString registration() const { return line(Slot::Registration).value; }
    bool tractorFeed() const { return request.stock == printing::LabelStock::Tractor; }
};

}  // namespace tagwright::journal
