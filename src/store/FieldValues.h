#pragma once

#include <QString>
#include <QVariant>

class QSqlRecord;

// Readers for stored values. Any field may be missing (a null value); each reader has the
// default that the windows and printing rely on.
namespace tagwright::store::fields {

inline const QString DefaultFontName = QStringLiteral("MS Sans Serif");
inline constexpr float DefaultFontSize = 8.25f;

// A value as a window box shows it: missing -> `fallback`; numbers in their shortest
// decimal form (12, 8.25, -3).
QString text(const QVariant& value, const QString& fallback = QString());

// Flags are on only when present and 1 or more.
bool flag(const QVariant& value);

QString fontName(const QVariant& value);   // missing -> "MS Sans Serif"
float fontSize(const QVariant& value);     // missing -> 8.25, single precision
bool bold(const QVariant& value);          // missing -> true
bool italic(const QVariant& value);        // missing -> false

// Writing: a box left empty stores the empty text, not a missing value (QtSql binds a null
// QString as NULL).
QString storedText(const QString& text);
// Adds `field` with `value` to the values a write stores.
void append(QSqlRecord& record, const QString& field, const QVariant& value);

}  // namespace tagwright::store::fields
