#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

#include <array>

namespace tagwright::journal {

// The six header slots in their fixed order: left column, then right column.
enum class Slot { Registration, Make, Serial, Tach, TotalTime, SinceOverhaul };

struct HeaderLine {
    QString caption;
    QString value;
};

// Print position adjustments in twips, as the job read them from their boxes.
struct Offsets {
    double topRow = 0;
    double middleRow = 0;
    double bottomRow = 0;
    double leftColumn = 0;
    double rightColumn = 0;
};

// The result of an entry whose output is being placed; one that stays so was interrupted.
inline const QString PrintingResult = QStringLiteral("Printing");

// One label command that left the program: everything it printed, enough to print it again
// exactly so, and where it went.
struct JournalEntry {
    qint64 number = -1;      // given by the journal when the entry is added
    QDateTime printedAt;     // UTC
    QString workstation;     // host name
    QString user;
    QString templateTitle;

    std::array<HeaderLine, 6> header;   // indexed by Slot
    QString date;
    QString body;            // lines separated by carriage return + line feed
    QString fontName = QStringLiteral("MS Sans Serif");
    double fontSize = 8.25;  // points
    bool bold = true;
    bool italic = false;
    QString logoFile;        // empty: no logo

    bool companyBlock = false;
    QString companyName, companyAddress, companyCityStateZip, companyPhone;
    bool signatureLine = false;
    QString signatory;
    QString certificateKind, certificateNumber;   // the signatory's, as printed
    QString repairStation;   // the shop's, as the company block printed it

    bool tractorFeed = false;
    int copies = 1;
    QVector<int> usedCells;  // laser sheet cells 1..6 marked as already used
    Offsets offsets;

    QString destination;     // printer name or PDF file
    QString result;          // "Printing" until settled, then "Printed" or why it failed
    qint64 repeats = -1;     // the entry a reprint repeats, -1 for none

    const HeaderLine& line(Slot slot) const { return header[std::size_t(slot)]; }
    HeaderLine& line(Slot slot) { return header[std::size_t(slot)]; }
    QString registration() const { return line(Slot::Registration).value; }
};

}  // namespace tagwright::journal
