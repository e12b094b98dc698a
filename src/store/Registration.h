#pragma once

#include <QString>

#include <optional>

// An aircraft's registration is one value however it was typed: blanks before or after it do
// not count, nor the letter case of A to Z ("n123ab " is N123AB). Every entrance keeps it
// trimmed, and every comparison goes by its key, in the program and in both engines (whose
// SQL forms of the key are here too, so the three cannot drift apart).
namespace tagwright::store::registration {

// The blanks trimmed off: space, tab, line feed, vertical tab, form feed, carriage return.
QString trimmed(const QString& typed);

// What registrations are compared by: trimmed, A to Z as a to z.
QString key(const QString& registration);

bool same(const QString& a, const QString& b);

// Whether `registration` starts with `prefix` by the same rule (an empty prefix: always).
bool startsWith(const QString& registration, const QString& prefix);

// The least key above every key that starts with `prefix`, in code point order; none when
// no key is (a prefix of only the highest code point).
std::optional<QString> keyRangeEnd(const QString& prefix);

// The key of a stored field as SQL: compared with `=`, `>=` and `<` against a key bound
// from key(). SQLite's form is compared under its NOCASE collation, which folds A to Z
// alone; the server's lower-cases A to Z alone in the "C" collation, whose order is the
// code points' as SQLite's is.
QString sqliteKey(const QString& quotedField);
QString postgresKey(const QString& quotedField);

}  // namespace tagwright::store::registration
