#include "FieldValues.h"

#include <QLocale>
#include <QSqlField>
#include <QSqlRecord>

namespace tagwright::store::fields {

QString text(const QVariant& value, const QString& fallback)
{
    if (value.isNull())
        return fallback;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        return value.toString();
    }
}

bool flag(const QVariant& value)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    return !value.isNull() && ok && number >= 1;
}

QString fontName(const QVariant& value)
{
    return value.isNull() ? DefaultFontName : value.toString();
}

float fontSize(const QVariant& value)
{
    bool ok = false;
    const float size = value.toFloat(&ok);
    return value.isNull() || !ok ? DefaultFontSize : size;
}

bool bold(const QVariant& value)
{
    return value.isNull() ? true : value.toBool();
}

bool italic(const QVariant& value)
{
    return value.isNull() ? false : value.toBool();
}

QString storedText(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

void append(QSqlRecord& record, const QString& field, const QVariant& value)
{
    QSqlField column(field, value.metaType());
    column.setValue(value);
    record.append(column);
}

}  // namespace tagwright::store::fields
