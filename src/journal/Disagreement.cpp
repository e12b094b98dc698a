#include "Disagreement.h"

#include "Journal.h"

#include "store/Schema.h"

#include <QSqlRecord>
#include <QStringList>

namespace tagwright::journal {

namespace {

QString given(const QString& value)
{
    return isGivenValue(value) ? value.trimmed() : QString();
}

bool differs(const QString& known, const QString& label)
{
    return !known.trimmed().isEmpty() && !label.isEmpty()
        && known.simplified().compare(label.simplified(), Qt::CaseInsensitive) != 0;
}

QString both(const QString& make, const QString& serial)
{
    QStringList parts;
    for (const QString& part : {make.trimmed(), serial.trimmed()}) {
        if (!part.isEmpty())
            parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace

QString Disagreement::sentence() const
{
    return QStringLiteral("%1 is known as %2; this label says %3")
        .arg(known.registration, both(known.make, known.serial), both(make, serial));
}

std::optional<Disagreement> disagreementWith(const Aircraft& known, const QString& make,
                                             const QString& serial)
{
    const QString labelMake = given(make);
    const QString labelSerial = given(serial);
    if (!differs(known.make, labelMake) && !differs(known.serial, labelSerial))
        return std::nullopt;
    return Disagreement{known, labelMake, labelSerial};
}

bool storedLabelDisagrees(const QSqlRecord& aircraft, const QSqlRecord& entry)
{
    namespace schema = store::schema;
    Aircraft known;
    known.make = aircraft.value(schema::aircraft::Make).toString();
    known.serial = aircraft.value(schema::aircraft::Serial).toString();
    return disagreementWith(known, entry.value(schema::journal::Make).toString(),
                            entry.value(schema::journal::Serial).toString())
        .has_value();
}

}  // namespace tagwright::journal
