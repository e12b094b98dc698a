#pragma once

#include "Result.h"

#include <QStringList>

namespace tagwright::store {

class Database;

// The signatories ("Mechanics") as names, in the order they were added.
class SignatoryStore {
public:
    explicit SignatoryStore(Database& database) : m_database(database) {}

    // Every name the table holds (records without one left out), in one query.
    Result<QStringList> names() const;
    StoreError add(const QString& name) const;
    // Whether a signatory is named `name`, letter case aside.
    Result<bool> contains(const QString& name) const;
    // Removes the first signatory named `name`, letter case aside; false when there is none.
    Result<bool> remove(const QString& name) const;

private:
    Database& m_database;
};

}  // namespace tagwright::store
