#include "Statements.h"

#include "Database.h"
#include "FieldValues.h"
#include "Schema.h"

#include <QSqlField>
#include <QSqlRecord>

namespace tagwright::store {

namespace {

namespace s = schema::statements;

QSqlRecord recordOf(const Statement& statement)
{
    QSqlRecord record;
    for (const auto& [name, value] : {std::pair{s::Title, statement.title}, std::pair{s::Wording, statement.wording}}) {
        QSqlField field(name, QMetaType::fromType<QString>());
        field.setValue(value.isNull() ? QStringLiteral("") : value);
        record.append(field);
    }
    return record;
}

}  // namespace

QVector<Statement> startingStatements()
{
    return {
        {-1, QStringLiteral("Return to service (14 CFR 43.9)"),
         QStringLiteral("The work described above was performed in accordance with 14 CFR part 43 "
                        "and is approved for return to service with respect to the work performed.")},
        {-1, QStringLiteral("Inspection, airworthy (14 CFR 43.11(a)(4))"),
         QStringLiteral("I certify that this aircraft has been inspected in accordance with (type) "
                        "inspection and was determined to be in airworthy condition.")},
        {-1, QStringLiteral("Inspection, discrepancies (14 CFR 43.11(a)(5))"),
         QStringLiteral("I certify that this aircraft has been inspected in accordance with (type) "
                        "inspection and a list of discrepancies and unairworthy items dated (date) "
                        "has been provided for the aircraft owner or operator.")},
        {-1, QStringLiteral("EASA release to service (145.A.50)"),
         QStringLiteral("Certifies that the work specified except as otherwise specified was carried "
                        "out in accordance with Part-145 and in respect to that work the aircraft is "
                        "considered ready for release to service.")},
        {-1, QStringLiteral("Canadian maintenance release (CAR 571.10)"),
         QStringLiteral("The described maintenance has been performed in accordance with the "
                        "applicable airworthiness requirements.")},
    };
}

StoreError StatementStore::all(QVector<Statement>& statements) const
{
    statements.clear();
    QVector<SelectedRecord> records;
    if (StoreError error = m_database.backend().select(schema::StatementsTable, {}, records); !error.ok())
        return error;
    for (const SelectedRecord& record : records) {
        statements.append({record.id, fields::text(record.fields.value(s::Title)),
                           fields::text(record.fields.value(s::Wording))});
    }
    return {};
}

StoreError StatementStore::save(Statement& statement) const
{
    StoreBackend& backend = m_database.backend();
    if (statement.id < 0)
        return backend.insert(schema::StatementsTable, recordOf(statement), statement.id);
    StoredRecord stored;
    if (StoreError error = backend.read(schema::StatementsTable, statement.id, stored); !error.ok())
        return error;
    if (!stored.found)
        return backend.insert(schema::StatementsTable, recordOf(statement), statement.id);
    return backend.update(schema::StatementsTable, {statement.id, stored.version}, recordOf(statement));
}

StoreError StatementStore::remove(qint64 id) const
{
    StoredRecord stored;
    StoreBackend& backend = m_database.backend();
    if (StoreError error = backend.read(schema::StatementsTable, id, stored); !error.ok() || !stored.found)
        return error;
    return backend.remove(schema::StatementsTable, {id, stored.version});
}

}  // namespace tagwright::store
