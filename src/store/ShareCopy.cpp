#include "ShareCopy.h"

#include "Database.h"
#include "Registration.h"
#include "Schema.h"

#include <QHash>
#include <QSqlField>
#include <QSqlRecord>


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

// The fields that tell one print from another: two entries alike in all of them are one
// label, journaled once and copied since.
const QString* const PrintIdentity[] = {&schema::journal::PrintedAt, &schema::journal::Workstation,
                                        &schema::journal::UserName,  &schema::journal::Template,
                                        &schema::journal::Registration, &schema::journal::Destination};

QString printIdentity(const QVector<QVariant>& values)
{
    QStringList texts;
    for (const QVariant& value : values)
        texts << (value.isNull() ? QStringLiteral("\x01") : value.toString());
    return texts.join(u'\x1f');
}

// The target's entries by the identity of their print, read a field at a time.
StoreError entriesByPrint(StoreBackend& target, QHash<QString, qint64>& entries)
{
    QHash<qint64, QVector<QVariant>> values;
    QVector<qint64> order;
    for (const QString* field : PrintIdentity) {
        QVector<QPair<qint64, QVariant>> column;
        if (StoreError error = target.fieldColumn(schema::JournalTable, *field, column); !error.ok())
            return error;
        for (const auto& [id, value] : column) {
            if (field == PrintIdentity[0])
                order << id;
            values[id] << value;
        }
    }
    for (qint64 id : order)
        entries.insert(printIdentity(values.value(id)), id);
    return {};
}

QString printIdentityOf(const QSqlRecord& fields)
{
    QVector<QVariant> values;
    for (const QString* field : PrintIdentity)
        values << fields.value(*field);
    return printIdentity(values);
}

// The aircraft the target knew before the merge, looked up as printing there looks them up
// (store::registration::trimmed, then the table's unique key), each read once.
class KnownAircraft {
public:
    explicit KnownAircraft(StoreBackend& target) : m_target(target) {}

    // record.found is false for a registration the target does not know.
    StoreError named(const QString& registration, qint64& id, StoredRecord*& record)
    {
        const QString trimmed = registration::trimmed(registration);
        auto known = m_read.find(trimmed);
        if (known == m_read.end()) {
            qint64 found = -1;
            StoredRecord read;
            if (StoreError error = m_target.findFirst(schema::AircraftTable, schema::aircraft::Registration,
                                                      trimmed, found);
                !error.ok())
                return error;
            if (found >= 0) {
                if (StoreError error = m_target.read(schema::AircraftTable, found, read); !error.ok())
                    return error;
            }
            known = m_read.insert(trimmed, {found, read});
        }
        id = known->first;
        record = &known->second;
        return {};
    }

private:
    StoreBackend& m_target;
    QHash<QString, QPair<qint64, StoredRecord>> m_read;
};

StoreError mergeJournal(StoreBackend& from, StoreBackend& to, CopyCount& count, const LabelDisagrees& disagrees)
{
    for (const QString& table : {schema::JournalTable, schema::AircraftTable}) {
        bool found = false;
        if (StoreError error = from.findTable(table, found); !error.ok() || !found)
            return error;
    }
    QHash<QString, qint64> onTarget;
    if (StoreError error = entriesByPrint(to, onTarget); !error.ok())
        return error;
    QHash<qint64, qint64> numbers;
    // An entry's reference to one that is not there (never, but a file is a file) is dropped
    // rather than pointed at another entry.
    const auto renumber = [&numbers](QSqlRecord& fields, const QString& field) {
        const QVariant old = fields.value(field);
        if (!old.isNull() && old.isValid())
            fields.setValue(field, numbers.contains(old.toLongLong())
                                       ? QVariant(numbers.value(old.toLongLong()))
                                       : QVariant(QMetaType::fromType<qint64>()));
    };
    QVector<SelectedRecord> entries;
    if (StoreError error = from.select(schema::JournalTable, {}, entries); !error.ok())
        return error;
    KnownAircraft knownAircraft(to);
    QHash<qint64, qint64> disagreeing;   // the target's aircraft: the newest copied label that disagrees
    for (SelectedRecord& entry : entries) {
        if (StoreError error = unfaithfulText(schema::JournalTable, entry.id, entry.fields, from.location());
            !error.ok())
            return error;
        if (const qint64 there = onTarget.value(printIdentityOf(entry.fields), -1); there >= 0) {
            numbers.insert(entry.id, there);
            ++count.entriesAlreadyThere;
            continue;
        }
        renumber(entry.fields, schema::journal::Repeats);
        qint64 added = -1;
        if (StoreError error = to.insert(schema::JournalTable, entry.fields, added); !error.ok())
            return error;
        numbers.insert(entry.id, added);
        ++count.entries;
        // Reprints never taught an aircraft anything; the newest disagreeing label is noted.
        if (!disagrees || !entry.fields.value(schema::journal::Repeats).isNull())
            continue;
        qint64 plane = -1;
        StoredRecord* known = nullptr;
        if (StoreError error = knownAircraft.named(entry.fields.value(schema::journal::Registration).toString(),
                                                   plane, known);
            !error.ok())
            return error;
        if (known->found && disagrees(known->fields, entry.fields)) {
            disagreeing.insert(plane, added);
            ++count.entriesDisagreeing;
        }
    }
    for (auto noted = disagreeing.cbegin(); noted != disagreeing.cend(); ++noted) {
        QSqlRecord note;
        QSqlField field(schema::aircraft::DisagreeingEntry, QMetaType::fromType<qint64>());
        field.setValue(noted.value());
        note.append(field);
        if (StoreError error = to.update(schema::AircraftTable, RecordKey{noted.key(), {}}, note); !error.ok())
            return error;
    }
    QVector<SelectedRecord> aircraft;
    if (StoreError error = from.select(schema::AircraftTable, {}, aircraft); !error.ok())
        return error;
    for (SelectedRecord& plane : aircraft) {
        if (StoreError error = unfaithfulText(schema::AircraftTable, plane.id, plane.fields, from.location());
            !error.ok())
            return error;
        qint64 known = -1;
        if (StoreError error = to.findFirst(schema::AircraftTable, schema::aircraft::Registration,
                                            plane.fields.value(schema::aircraft::Registration), known);
            !error.ok())
            return error;
        if (known >= 0)
            continue;
        renumber(plane.fields, schema::aircraft::LastEntry);
        renumber(plane.fields, schema::aircraft::DisagreeingEntry);
        qint64 added = -1;
        if (StoreError error = to.insert(schema::AircraftTable, plane.fields, added); !error.ok())
            return error;
        ++count.aircraft;
    }
    return {};
}

}  // namespace

StoreError copyMainDatabase(Database& from, Database& to, bool replace, CopyCount& count,
                            const LabelDisagrees& disagrees)
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
        for (const QString& table : schema::mainTables()) {
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
        return mergeJournal(from.backend(), target, count, disagrees);
    });
}

}  // namespace tagwright::store
