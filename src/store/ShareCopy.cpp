#include "ShareCopy.h"

#include "Database.h"
#include "Schema.h"

#include <QHash>
#include <QSqlRecord>

#include <functional>

namespace tagwright::store {

namespace {

StoreError clearTable(StoreBackend& backend, const QString& table)
{
    QVector<qint64> ids;
    if (StoreError error = backend.recordIds(table, ids); !error.ok())
        return error;
    for (qint64 id : ids) {
        if (StoreError error = backend.remove(table, RecordKey{id, {}}); !error.ok())
            return error;
    }
    return {};
}

// What a record is called in a message: a template by its title, a signatory by name.
QString recordName(const QString& table, qint64 id, const QSqlRecord& fields)
{
    if (table == schema::JournalTable)
        return QStringLiteral("Journal entry %1").arg(id);
    if (table == schema::AircraftTable)
        return QStringLiteral("The aircraft \"%1\"").arg(fields.value(schema::aircraft::Registration).toString());
    if (table == schema::LabelsTable)
        return QStringLiteral("The template \"%1\"").arg(fields.value(schema::labels::Description).toString());
    if (table == schema::MechanicsTable)
        return QStringLiteral("The signatory \"%1\"").arg(fields.value(schema::mechanics::Mechanics).toString());
    return QStringLiteral("The shop's settings");
}

// The server keeps text as UTF-8 without NUL characters; a file may hold either. A NUL
// would stop the copy halfway, and bytes that are not UTF-8 read as replacement characters
// (U+FFFD): copied, they would silently become other text. Both are named instead.
StoreError unfaithfulText(const QString& table, qint64 id, const QSqlRecord& fields,
                          const QString& where)
{
    for (int i = 0; i < fields.count(); ++i) {
        const QVariant value = fields.value(i);
        if (value.typeId() != QMetaType::QString)
            continue;
        const QString text = value.toString();
        const bool nul = text.contains(QChar(0));
        if (!nul && !text.contains(QChar(QChar::ReplacementCharacter)))
            continue;
        QString name = recordName(table, id, fields);
        name.replace(QChar(0), QStringLiteral("\\0"));
        return {EngineFailure,
                QStringLiteral("%1 holds %2 in %3, which the server cannot store as it is; nothing "
                               "was copied. Correct the field first.")
                    .arg(name, nul ? QStringLiteral("a NUL character") : QStringLiteral("bytes that are not UTF-8 text"),
                         fields.fieldName(i)),
                where};
    }
    if (table == schema::LabelsTable
        && fields.value(schema::labels::Description).toString().size() > schema::TitleLength) {
        return {EngineFailure,
                QStringLiteral("%1 has a title longer than %2 characters; nothing was copied. Shorten it first.")
                    .arg(recordName(table, id, fields)).arg(schema::TitleLength),
                where};
    }
    return {};
}

StoreError copyTable(StoreBackend& from, StoreBackend& to, const QString& table, int& copied)
{
    QVector<qint64> ids;
    if (StoreError error = from.recordIds(table, ids); !error.ok())
        return error;
    for (qint64 id : ids) {
        StoredRecord record;
        if (StoreError error = from.read(table, id, record); !error.ok())
            return error;
        if (!record.found)
            continue;
        if (StoreError error = unfaithfulText(table, id, record.fields, from.location()); !error.ok())
            return error;
        qint64 newId = -1;
        if (StoreError error = to.insert(table, record.fields, newId); !error.ok()) {
            if (error.number == DuplicateKey) {
                error.message = QStringLiteral("Two templates are titled \"%1\" in letter case "
                                               "alone; the server takes one title once. Rename "
                                               "one of them first.")
                                    .arg(record.fields.value(schema::labels::Description).toString());
            }
            return error;
        }
        ++copied;
    }
    return {};
}

// Copies every record of `table` in store order, with `renumber` applied to its fields
// first; `copied` maps each record's identity on `from` to the one it got on `to`.
StoreError copyRenumbered(StoreBackend& from, StoreBackend& to, const QString& table,
                          const std::function<void(QSqlRecord&)>& renumber,
                          QHash<qint64, qint64>& copied)
{
    QVector<SelectedRecord> records;
    if (StoreError error = from.select(table, {}, records); !error.ok())
        return error;
    for (SelectedRecord& record : records) {
        if (StoreError error = unfaithfulText(table, record.id, record.fields, from.location()); !error.ok())
            return error;
        renumber(record.fields);
        qint64 newId = -1;
        if (StoreError error = to.insert(table, record.fields, newId); !error.ok())
            return error;
        copied.insert(record.id, newId);
    }
    return {};
}

StoreError copyJournal(StoreBackend& from, StoreBackend& to, CopyCount& count)
{
    if (!from.hasTable(schema::JournalTable) || !from.hasTable(schema::AircraftTable))
        return {};
    QHash<qint64, qint64> numbers;
    // An entry's reference to one that is not there (never, but a file is a file) is dropped
    // rather than pointed at another entry.
    const auto renumberField = [&numbers](QSqlRecord& fields, const QString& field) {
        const QVariant old = fields.value(field);
        if (!old.isNull())
            fields.setValue(field, numbers.contains(old.toLongLong())
                                       ? QVariant(numbers.value(old.toLongLong()))
                                       : QVariant(QMetaType::fromType<qint64>()));
    };
    const auto entries = [&](QSqlRecord& fields) { renumberField(fields, schema::journal::Repeats); };
    if (StoreError error = copyRenumbered(from, to, schema::JournalTable, entries, numbers); !error.ok())
        return error;
    count.entries = int(numbers.size());
    QHash<qint64, qint64> planes;
    const auto aircraft = [&](QSqlRecord& fields) { renumberField(fields, schema::aircraft::LastEntry); };
    if (StoreError error = copyRenumbered(from, to, schema::AircraftTable, aircraft, planes); !error.ok())
        return error;
    count.aircraft = int(planes.size());
    return {};
}

}  // namespace

StoreError copyMainDatabase(Database& from, Database& to, bool replace, CopyCount& count)
{
    count = CopyCount();
    StoreBackend& target = to.backend();
    QVector<qint64> existing;
    if (StoreError error = target.recordIds(schema::LabelsTable, existing); !error.ok())
        return error;
    if (!existing.isEmpty() && !replace) {
        return {TargetNotEmpty,
                QStringLiteral("The database already holds %1 templates; give --replace to "
                               "replace them.").arg(existing.size()),
                to.path()};
    }
    return target.inTransaction([&]() -> StoreError {
        for (const QString& table : schema::mainTables() + QStringList{schema::JournalTable, schema::AircraftTable}) {
            if (StoreError error = clearTable(target, table); !error.ok())
                return error;
        }
        const std::pair<QString, int*> tables[] = {
            {schema::LabelsTable, &count.templates},
            {schema::MechanicsTable, &count.signatories},
            {schema::CompanyInfoTable, &count.settings},
        };
        for (const auto& [table, copied] : tables) {
            if (StoreError error = copyTable(from.backend(), target, table, *copied); !error.ok())
                return error;
        }
        // The shop's own statements replace the starting set a new server database got; a
        // file opened only to read may be older than them, and leaves that set.
        if (from.backend().hasTable(schema::StatementsTable)) {
            int statements = 0;
            if (StoreError error = clearTable(target, schema::StatementsTable); !error.ok())
                return error;
            if (StoreError error = copyTable(from.backend(), target, schema::StatementsTable, statements); !error.ok())
                return error;
        }
        return copyJournal(from.backend(), target, count);
    });
}

}  // namespace tagwright::store
