#pragma once

#include "StoreError.h"

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

namespace tagwright::store {

// Which stored record a write is meant for: its identity, never handed out twice in one
// table, and the version of it that was read. A write whose record has since been changed
// or deleted is refused (ChangedMeanwhile, DeletedMeanwhile) instead of landing on it.
struct RecordKey {
    qint64 id = -1;
    QVariant version;   // null where the table keeps no versions (an old read-only file)

    bool operator==(const RecordKey&) const = default;
};

struct StoredRecord {
    bool found = false;
    QSqlRecord fields;   // the record's own fields, without identity and version
    QVariant version;
};

// One test a record must pass to be selected.
struct Condition {
    enum class Test {
        EqualsIgnoringCase,    // text equal to `value`, letter case aside
        AtLeast,               // field >= value
        Before,                // field < value
        ContainsIgnoringCase,  // `value` appears in the text, letter case aside
        StartsWithIgnoringCase,  // the text starts with `value`, letter case aside
        SameRegistration,        // a registration equal to `value` (store/Registration.h)
        RegistrationStartsWith,  // a registration starting with `value`, by the same rule
    };
    QString field;
    Test test = Test::EqualsIgnoringCase;
    QVariant value;
};

// Which records, which of their fields, in which order, how many.
struct Selection {
    QVector<Condition> conditions;   // all must hold
    QStringList fields;              // empty: every field
    QString orderBy;                 // empty: store order; ties always in store order
    bool descending = false;
    int limit = -1;                  // -1: no limit
    int offset = 0;
};

struct SelectedRecord {
    qint64 id = -1;
    QSqlRecord fields;   // the fields asked for, without identity and version
};

// The engine under the table cursors: a database file or a database server. Records come
// in store order, which is the order they were added and never changes.
class StoreBackend {
public:
    virtual ~StoreBackend() = default;

    // The file's path or the server's name, as messages show it.
    virtual QString location() const = 0;
    virtual bool hasTable(const QString& table) = 0;
    // As hasTable(), telling a table that is not there from a question that got no answer
    // (a server that did not answer is no missing table).
    virtual StoreError findTable(const QString& table, bool& found)
    {
        found = hasTable(table);
        return {};
    }

    virtual StoreError recordIds(const QString& table, QVector<qint64>& ids) = 0;
    // One field of every record with its identity, in store order, in one query.
    virtual StoreError fieldColumn(const QString& table, const QString& field,
                                   QVector<QPair<qint64, QVariant>>& values) = 0;
    // A record that is gone comes back with found false and no error.
    virtual StoreError read(const QString& table, qint64 id, StoredRecord& record) = 0;
    // The first record in store order whose `field` equals `value`, text compared without
    // regard to letter case; -1 when there is none.
    virtual StoreError findFirst(const QString& table, const QString& field,
                                 const QVariant& value, qint64& id) = 0;

    // The records that pass every condition, in one query.
    virtual StoreError select(const QString& table, const Selection& selection,
                              QVector<SelectedRecord>& records) = 0;
    // How many records pass every condition.
    virtual StoreError count(const QString& table, const QVector<Condition>& conditions,
                             qint64& records) = 0;

    // Each write is one transaction. A second "Labels" record with an equal Description
    // (letter case aside) is refused with DuplicateKey.
    virtual StoreError insert(const QString& table, const QSqlRecord& values, qint64& id) = 0;
    virtual StoreError update(const QString& table, const RecordKey& key,
                              const QSqlRecord& values) = 0;
    virtual StoreError remove(const QString& table, const RecordKey& key) = 0;

    // Runs `work` (any of the operations above) as one transaction: when it fails, none of
    // its writes stays.
    virtual StoreError inTransaction(const std::function<StoreError()>& work) = 0;
};

}  // namespace tagwright::store
