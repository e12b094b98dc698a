#include "JournalCsv.h"

#include <QRegularExpression>

namespace tagwright::journal::csv {

namespace {

QString line(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& text : fields)
        quoted << field(text);
    return quoted.join(u',') + QStringLiteral("\r\n");
}

}  // namespace

QString field(const QString& value)
{
    // Spreadsheets run a field that begins like a formula ("=HYPERLINK(...)" typed as a
    // signatory); a leading apostrophe makes it text. Plain numbers ("-45") stay numbers.
    static const QRegularExpression PlainNumber(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)$)"));
    const bool formula = !value.isEmpty() && QStringLiteral("=+-@\t\r").contains(value.front())
                         && !PlainNumber.match(value).hasMatch();
    const QString text = formula ? u'\'' + value : value;
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString escaped = text;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString localTime(const JournalEntry& entry)
{
    return entry.printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString entries(const QVector<JournalEntry>& entries)
{
    QString text = line({QStringLiteral("Entry"), QStringLiteral("Printed"), QStringLiteral("Workstation"),
                         QStringLiteral("User"), QStringLiteral("Template"), QStringLiteral("Registration"),
                         QStringLiteral("Make"), QStringLiteral("Serial"), QStringLiteral("Tach"),
                         QStringLiteral("Total time"), QStringLiteral("SMOH"), QStringLiteral("Date"),
                         QStringLiteral("Signatory"), QStringLiteral("Certificate kind"),
                         QStringLiteral("Certificate number"), QStringLiteral("Repair station"),
                         QStringLiteral("Stock"), QStringLiteral("Copies"),
                         QStringLiteral("Destination"), QStringLiteral("Result"), QStringLiteral("Repeats"),
                         QStringLiteral("Body")});
    for (const JournalEntry& e : entries) {
        QStringList fields{QString::number(e.number), localTime(e), e.workstation, e.user,
                           e.templateTitle};
        for (const HeaderLine& header : e.header)
            fields << header.value;
        fields << e.date << (e.signatureLine ? e.signatory : QString())
               << (e.signatureLine ? e.certificateKind : QString())
               << (e.signatureLine ? e.certificateNumber : QString())
               << (e.companyBlock ? e.repairStation : QString())
               << (e.tractorFeed ? QStringLiteral("tractor") : QStringLiteral("laser"))
               << QString::number(e.copies) << e.destination << e.result
               << (e.repeats >= 0 ? QString::number(e.repeats) : QString()) << e.body;
        text += line(fields);
    }
    return text;
}

QString aircraft(const QVector<Aircraft>& list)
{
    QString text = line({QStringLiteral("Registration"), QStringLiteral("Make"), QStringLiteral("Serial"),
                         QStringLiteral("Tach"), QStringLiteral("Total time"), QStringLiteral("SMOH"),
                         QStringLiteral("Times dated"), QStringLiteral("Last entry")});
    for (const Aircraft& plane : list) {
        text += line({plane.registration, plane.make, plane.serial, plane.tach, plane.totalTime,
                      plane.sinceOverhaul, plane.timesDate,
                      plane.lastEntry >= 0 ? QString::number(plane.lastEntry) : QString()});
    }
    return text;
}

}  // namespace tagwright::journal::csv
