#pragma once

#include <QString>
#include <QVector>

namespace tagwright::legacy {

// The tables the earlier program created, exactly as it created them: every column's name,
// type and length, in stored order. Its files never held anything else, so a table
// definition that says otherwise is damage, and reading rows through it would misplace
// every value.
struct KnownColumn {
    enum class Type { Text, Memo, Boolean, Integer, LongInteger, Single };

    QString name;
    Type type;
    int length = 0;   // characters, for text columns

    bool isVariable() const { return type == Type::Text || type == Type::Memo; }
    // Bytes a fixed column takes in a row; 0 for variable columns and Yes/No (kept in the
    // row's null mask).
    int fixedWidth() const;
};

struct KnownTable {
    QString name;
    QVector<KnownColumn> columns;

    // Where column `column` (a variable one) stands among the variable columns of a row: the
    // texts in column order, then the memos.
    int variableNumber(qsizetype column) const;
    int variableCount() const;
    // Bytes the fixed columns take at the start of a row.
    int fixedSize() const;
};

// "Setup", "Labels", "Mechanics" and "CompanyInfo"; nullptr for any other name (letter case
// ignored, as the engine ignores it).
const KnownTable* knownTable(const QString& name);

}  // namespace tagwright::legacy
