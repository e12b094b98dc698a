#include "SignatoryProfiles.h"

#include "Database.h"
#include "FieldValues.h"
#include "Schema.h"

#include <QSqlField>
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

void append(QSqlRecord& record, const QString& name, const QString& value)
{
    QSqlField field(name, QMetaType::fromType<QString>());
    field.setValue(value.isNull() ? QStringLiteral("") : value);
    record.append(field);
}

// The name, and the certificate where there is one or the stored record has its fields: a
// table that could not be given the certificate's fields still takes a bare name.
QSqlRecord recordOf(const SignatoryProfile& profile, const QSqlRecord& stored)
{
    QSqlRecord record;
    append(record, m::Mechanics, profile.name);
    if (!profile.certificateKind.isEmpty() || stored.indexOf(m::CertificateKind) >= 0)
        append(record, m::CertificateKind, profile.certificateKind);
    if (!profile.certificateNumber.isEmpty() || stored.indexOf(m::CertificateNumber) >= 0)
        append(record, m::CertificateNumber, profile.certificateNumber);
    return record;
}

}  // namespace

QStringList suggestedCertificateKinds()
{
    return {QStringLiteral("A&P"), QStringLiteral("A&P/IA"), QStringLiteral("Repairman"),
            QStringLiteral("EASA B1"), QStringLiteral("AME")};
}

StoreError SignatoryProfiles::all(QVector<SignatoryProfile>& profiles) const
{
    profiles.clear();
    QVector<SelectedRecord> records;
    if (StoreError error = m_database.backend().select(schema::MechanicsTable, {}, records); !error.ok())
        return error;
    for (const SelectedRecord& record : records) {
        const int name = record.fields.indexOf(m::Mechanics);
        if (name >= 0 && !record.fields.value(name).isNull())
            profiles.append(profileOf(record.fields));
    }
    return {};
}

StoreError SignatoryProfiles::findRecord(const QString& name, qint64& id) const
{
    return m_database.backend().findFirst(schema::MechanicsTable, m::Mechanics, name, id);
}

StoreError SignatoryProfiles::find(const QString& name, std::optional<SignatoryProfile>& profile) const
{
    profile.reset();
    qint64 id = -1;
    if (StoreError error = findRecord(name, id); !error.ok() || id < 0)
        return error;
    StoredRecord stored;
    if (StoreError error = m_database.backend().read(schema::MechanicsTable, id, stored); !error.ok())
        return error;
    if (stored.found)
        profile = profileOf(stored.fields);
    return {};
}

StoreError SignatoryProfiles::save(const SignatoryProfile& profile, const QString& formerName,
                                   bool* added) const
{
    StoreBackend& backend = m_database.backend();
    qint64 id = -1;
    if (StoreError error = findRecord(formerName, id); !error.ok())
        return error;
    StoredRecord stored;
    if (id >= 0) {
        if (StoreError error = backend.read(schema::MechanicsTable, id, stored); !error.ok())
            return error;
    }
    if (added)
        *added = !stored.found;
    if (!stored.found)
        return backend.insert(schema::MechanicsTable, recordOf(profile, {}), id);
    return backend.update(schema::MechanicsTable, {id, stored.version}, recordOf(profile, stored.fields));
}

StoreError SignatoryProfiles::remove(const QString& name, bool& removed) const
{
    removed = false;
    StoreBackend& backend = m_database.backend();
    qint64 id = -1;
    if (StoreError error = findRecord(name, id); !error.ok() || id < 0)
        return error;
    StoredRecord stored;
    if (StoreError error = backend.read(schema::MechanicsTable, id, stored); !error.ok() || !stored.found)
        return error;
    if (StoreError error = backend.remove(schema::MechanicsTable, {id, stored.version}); !error.ok())
        return error;
    removed = true;
    return {};
}

}  // namespace tagwright::store
