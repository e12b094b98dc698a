#include "SignatoryStore.h"

#include "Database.h"
#include "FieldValues.h"
#include "Schema.h"

#include <QSqlRecord>

namespace tagwright::store {

namespace {
const QString& NameField = schema::mechanics::Mechanics;
}

Result<QStringList> SignatoryStore::names() const
{
    QVector<QPair<qint64, QVariant>> column;
    if (StoreError error = m_database.backend().fieldColumn(schema::MechanicsTable, NameField, column);
        !error.ok())
        return error;
    QStringList names;
    names.reserve(column.size());
    for (const auto& [id, name] : column) {
        if (!name.isNull())
            names << name.toString();
    }
    return names;
}

StoreError SignatoryStore::add(const QString& name) const
{
    QSqlRecord record;
    fields::append(record, NameField, name);
    qint64 id = -1;
    return m_database.backend().insert(schema::MechanicsTable, record, id);
}

Result<bool> SignatoryStore::contains(const QString& name) const
{
    qint64 id = -1;
    if (StoreError error = m_database.backend().findFirst(schema::MechanicsTable, NameField, name, id);
        !error.ok())
        return error;
    return id >= 0;
}

Result<bool> SignatoryStore::remove(const QString& name) const
{
    StoreBackend& backend = m_database.backend();
    qint64 id = -1;
    if (StoreError error = backend.findFirst(schema::MechanicsTable, NameField, name, id); !error.ok())
        return error;
    if (id < 0)
        return false;
    StoredRecord record;
    if (StoreError error = backend.read(schema::MechanicsTable, id, record); !error.ok())
        return error;
    if (!record.found)
        return false;
    if (StoreError error = backend.remove(schema::MechanicsTable, {id, record.version}); !error.ok())
        return error;
    return true;
}

}  // namespace tagwright::store
