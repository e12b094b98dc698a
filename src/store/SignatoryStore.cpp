#include "SignatoryStore.h"

#include "Database.h"
#include "FieldValues.h"
#include "Schema.h"

#include <QSqlRecord>

namespace tagwright::store {

namespace {

namespace m = schema::mechanics;

// A field of `record`, missing when the record has no such field: a file opened only to read
// keeps the table it was made with.
QString textOf(const QSqlRecord& record, const QString& field)
{
    const int index = record.indexOf(field);
    return index < 0 ? QString() : fields::text(record.value(index));
}

SignatoryProfile profileOf(const QSqlRecord& record)
{
    return {textOf(record, m::Mechanics), textOf(record, m::CertificateKind),
            textOf(record, m::CertificateNumber)};
}

// The name, and the certificate where there is one or the stored record has its fields: a
// table that could not be given the certificate's fields still takes a bare name.
QSqlRecord recordOf(const SignatoryProfile& profile, const QSqlRecord& stored)
{
    QSqlRecord record;
    fields::append(record, m::Mechanics, fields::storedText(profile.name));
    if (!profile.certificateKind.isEmpty() || stored.indexOf(m::CertificateKind) >= 0)
        fields::append(record, m::CertificateKind, fields::storedText(profile.certificateKind));
    if (!profile.certificateNumber.isEmpty() || stored.indexOf(m::CertificateNumber) >= 0)
        fields::append(record, m::CertificateNumber, fields::storedText(profile.certificateNumber));
    return record;
}

}  // namespace

QStringList suggestedCertificateKinds()
{
    return {QStringLiteral("A&P"), QStringLiteral("A&P/IA"), QStringLiteral("Repairman"),
            QStringLiteral("EASA B1"), QStringLiteral("AME")};
}

Result<QStringList> SignatoryStore::names() const
{
    QVector<QPair<qint64, QVariant>> column;
    if (StoreError error = m_database.backend().fieldColumn(schema::MechanicsTable, m::Mechanics, column);
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

Result<QVector<SignatoryProfile>> SignatoryStore::profiles() const
{
    QVector<SelectedRecord> records;
    if (StoreError error = m_database.backend().select(schema::MechanicsTable, {}, records); !error.ok())
        return error;
    QVector<SignatoryProfile> profiles;
    for (const SelectedRecord& record : records) {
        const int name = record.fields.indexOf(m::Mechanics);
        if (name >= 0 && !record.fields.value(name).isNull())
            profiles.append(profileOf(record.fields));
    }
    return profiles;
}

StoreError SignatoryStore::add(const QString& name) const
{
    QSqlRecord record;
    fields::append(record, m::Mechanics, name);
    qint64 id = -1;
    return m_database.backend().insert(schema::MechanicsTable, record, id);
}

Result<qint64> SignatoryStore::findRecord(const QString& name) const
{
    qint64 id = -1;
    if (StoreError error = m_database.backend().findFirst(schema::MechanicsTable, m::Mechanics, name, id);
        !error.ok())
        return error;
    return id;
}

Result<bool> SignatoryStore::contains(const QString& name) const
{
    const Result<qint64> id = findRecord(name);
    if (!id)
        return id.error();
    return *id >= 0;
}

Result<std::optional<SignatoryProfile>> SignatoryStore::find(const QString& name) const
{
    const Result<qint64> id = findRecord(name);
    if (!id)
        return id.error();
    std::optional<SignatoryProfile> profile;
    if (*id < 0)
        return profile;
    StoredRecord stored;
    if (StoreError error = m_database.backend().read(schema::MechanicsTable, *id, stored); !error.ok())
        return error;
    if (stored.found)
        profile = profileOf(stored.fields);
    return profile;
}

Result<bool> SignatoryStore::save(const SignatoryProfile& profile, const QString& formerName) const
{
    StoreBackend& backend = m_database.backend();
    const Result<qint64> id = findRecord(formerName);
    if (!id)
        return id.error();
    StoredRecord stored;
    if (*id >= 0) {
        if (StoreError error = backend.read(schema::MechanicsTable, *id, stored); !error.ok())
            return error;
    }
    if (!stored.found) {
        qint64 added = -1;
        if (StoreError error = backend.insert(schema::MechanicsTable, recordOf(profile, {}), added); !error.ok())
            return error;
        return true;
    }
    if (StoreError error = backend.update(schema::MechanicsTable, {*id, stored.version},
                                          recordOf(profile, stored.fields));
        !error.ok())
        return error;
    return false;
}

Result<bool> SignatoryStore::remove(const QString& name) const
{
    StoreBackend& backend = m_database.backend();
    const Result<qint64> id = findRecord(name);
    if (!id)
        return id.error();
    if (*id < 0)
        return false;
    StoredRecord record;
    if (StoreError error = backend.read(schema::MechanicsTable, *id, record); !error.ok())
        return error;
    if (!record.found)
        return false;
    if (StoreError error = backend.remove(schema::MechanicsTable, {*id, record.version}); !error.ok())
        return error;
    return true;
}

}  // namespace tagwright::store
