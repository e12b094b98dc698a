#include "ShareCopy.h"

#include "Database.h"
#include "Schema.h"

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
        return {};
    });
}

}  // namespace tagwright::store
