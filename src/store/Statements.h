#pragma once

#include "StoreError.h"

#include <QString>
#include <QVector>

namespace tagwright::store {

class Database;

// One of the shop's wordings for a label body: what the shop calls it and the text itself.
struct Statement {
    qint64 id = -1;   // -1 until stored
    QString title;
    QString wording;

    bool operator==(const Statement&) const = default;
};

// The wordings a shop starts with, each as its rule words it; placeholders in parentheses
// are for the mechanic to fill in.
QVector<Statement> startingStatements();

// The "Statements" table: the shop's wordings in the order they were added. The shop edits
// them; a new database, and an older one on its first open that may write, get the
// starting set.
class StatementStore {
public:
    explicit StatementStore(Database& database) : m_database(database) {}

    StoreError all(QVector<Statement>& statements) const;
    // Adds `statement` (its id is set) or writes over the stored one with its id.
    StoreError save(Statement& statement) const;
    StoreError remove(qint64 id) const;

private:
    Database& m_database;
};

}  // namespace tagwright::store
