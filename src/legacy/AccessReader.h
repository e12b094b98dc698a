#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

namespace tagwright::legacy {

// One column of an Access table, with the kind of value its rows carry.
struct AccessColumn {
    enum class Kind { Text, Memo, Boolean, Byte, Integer, LongInteger, Single, Double, Other };

    QString name;
    Kind kind = Kind::Other;
};

// A table's rows in stored order (the order the earlier program paged through). Each value
// is a null QVariant when missing; otherwise a QString (text, memo), a bool (Yes/No), an int
// (byte, 16- and 32-bit integers, so -1 stays -1), a float (single, exact) or a double.
struct AccessTable {
    QString name;
    QVector<AccessColumn> columns;
    QVector<QVector<QVariant>> rows;

    int columnIndex(const QString& name) const;   // -1 when there is none, letter case ignored
};

struct AccessContents {
    QVector<AccessTable> tables;
    QString error;   // empty when every table was read whole

    bool ok() const { return error.isEmpty(); }
    const AccessTable* table(const QString& name) const;   // letter case ignored
};

// Rows read so far and the rows the file announces in all (both grow table by table).
using ReadProgress = std::function<void(qint64 done, qint64 total)>;

// Reads every user table of an Access file (Jet 3, Jet 4 or ACE) whole: long memos included,
// deleted rows left out. A file that is not an Access file, is protected by a password or is
// damaged gives an error that names the path; what was read before stays unreported.
AccessContents readAccessFile(const QString& path, const ReadProgress& progress = {});

}  // namespace tagwright::legacy
