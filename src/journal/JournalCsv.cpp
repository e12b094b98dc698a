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
    const auto yesNo = [](bool on) { return on ? QStringLiteral("yes") : QStringLiteral("no"); };
    const auto number = [](double value) { return QString::number(value, 'g', 15); };
    QStringList heading{QStringLiteral("Entry"), QStringLiteral("Printed"), QStringLiteral("Workstation"),
                        QStringLiteral("User"), QStringLiteral("Template"), QStringLiteral("Registration"),
                        QStringLiteral("Make"), QStringLiteral("Serial"), QStringLiteral("Tach"),
                        QStringLiteral("Total time"), QStringLiteral("SMOH"), QStringLiteral("Date"),
                        QStringLiteral("Signatory"), QStringLiteral("Certificate kind"),
                        QStringLiteral("Certificate number"), QStringLiteral("Repair station"),
                        QStringLiteral("Stock"), QStringLiteral("Copies"),
                        QStringLiteral("Destination"), QStringLiteral("Result"), QStringLiteral("Repeats")};
    for (const QString& slot : {QStringLiteral("Registration"), QStringLiteral("Make"), QStringLiteral("Serial"),
                                QStringLiteral("Tach"), QStringLiteral("Total time"), QStringLiteral("SMOH")})
        heading << slot + QStringLiteral(" caption");
    heading << QStringLiteral("Font") << QStringLiteral("Font size") << QStringLiteral("Bold")
            << QStringLiteral("Italic") << QStringLiteral("Logo") << QStringLiteral("Company block")
            << QStringLiteral("Company name") << QStringLiteral("Company address")
            << QStringLiteral("Company city, state, zip") << QStringLiteral("Company phone")
            << QStringLiteral("Signature line") << QStringLiteral("Used cells")
            << QStringLiteral("Top row offset") << QStringLiteral("Middle row offset")
            << QStringLiteral("Bottom row offset") << QStringLiteral("Left column offset")
            << QStringLiteral("Right column offset") << QStringLiteral("Body");
    QString text = line(heading);
    for (const JournalEntry& e : entries) {
        const printing::LabelContent& label = e.request.label;
        QStringList fields{QString::number(e.number), localTime(e), e.workstation, e.user,
                           e.facts.templateTitle};
        for (printing::HeaderSlot slot : printing::AllHeaderSlots)
            fields << label.line(slot).value;
        fields << label.date << label.signatory << label.certificateKind << label.certificateNumber
               << label.company.repairStation
               << (e.tractorFeed() ? QStringLiteral("tractor") : QStringLiteral("laser"))
               << QString::number(int(e.request.sheet.copies)) << e.destination << e.result
               << (e.facts.repeats >= 0 ? QString::number(e.facts.repeats) : QString());
        for (printing::HeaderSlot slot : printing::AllHeaderSlots)
            fields << label.line(slot).caption;
        QStringList cells;
        for (int cell = 1; cell <= 6; ++cell) {
            if (e.request.sheet.used.contains(cell))
                cells << QString::number(cell);
        }
        const printing::BodyFont& font = label.bodyFont;
        const printing::PrintOffsets& offsets = e.request.sheet.offsets;
        // A font size is stored in single precision: its own digits, not a double's.
        fields << font.FontName << QString::number(font.FontSize, 'g', 7) << yesNo(font.FontBold)
               << yesNo(font.FontItalic) << e.facts.logoFile << yesNo(label.printsCompany) << label.company.name
               << label.company.address << label.company.cityStateZip << label.company.phone
               << yesNo(label.printsSignature) << cells.join(u',') << number(offsets.topRow)
               << number(offsets.middleRow) << number(offsets.bottomRow) << number(offsets.leftColumn)
               << number(offsets.rightColumn) << label.body;
        text += line(fields);
    }
    return text;
}

QString aircraft(const QVector<Aircraft>& list)
{
    QString text = line({QStringLiteral("Registration"), QStringLiteral("Make"), QStringLiteral("Serial"),
                         QStringLiteral("Tach"), QStringLiteral("Total time"), QStringLiteral("SMOH"),
                         QStringLiteral("Times dated"), QStringLiteral("Last entry"),
                         QStringLiteral("Disagreeing entry")});
    const auto number = [](qint64 entry) { return entry >= 0 ? QString::number(entry) : QString(); };
    for (const Aircraft& plane : list) {
        text += line({plane.registration, plane.make, plane.serial, plane.tach, plane.totalTime,
                      plane.sinceOverhaul, plane.timesDate, number(plane.lastEntry),
                      number(plane.disagreeingEntry)});
    }
    return text;
}

}  // namespace tagwright::journal::csv
