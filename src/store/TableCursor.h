#pragma once

#include "StoreBackend.h"
#include "StoreError.h"

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVector>

namespace tagwright::store {

class Database;

// A cursor over one table in store order (the order records were added), with the record
// operations the windows use: moves, find-first, add-new/edit/set/update, delete. It works
// through the database's engine, so it behaves the same on a file and on a server.
//
// The cursor keeps the table's record identities from its last open or refresh; records
// added through this cursor join the list, records added elsewhere are seen after a refresh. Moving
// abandons a pending add-new or edit, as the windows expect: anything typed into a bound box
// is written by the window before it moves.
class TableCursor {
public:
    enum class EditMode { None, Edit, Add };

    StoreError open(Database& db, const QString& table);
    StoreError refresh();
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString table() const { return m_table; }

    // Before the first record / after the last one; both are true exactly when the table
    // is empty.
    bool bof() const { return m_rowIds.isEmpty() || m_pos < 0; }
    bool eof() const { return m_rowIds.isEmpty() || m_pos >= m_rowIds.size(); }
    bool hasCurrent() const { return !bof() && !eof(); }
    int recordCount() const { return int(m_rowIds.size()); }
    qint64 currentRowId() const { return hasCurrent() ? m_rowIds[m_pos] : -1; }
    // The current record's identity and the version that was read (null when it could not
    // be read, or the table keeps no versions).
    RecordKey currentKey() const { return {currentRowId(), m_current.version}; }
    // Makes the record with this identity current again, read afresh; false when the
    // cursor holds no such record.
    bool moveTo(qint64 rowId);
    // Where the cursor stands and the record as it was read there; returnTo() goes back to
    // it without asking the store again (which may be what just failed).
    struct Mark {
        int pos = -1;
        StoredRecord current;
        StoreError readError;
    };
    Mark mark() const { return {m_pos, m_current, m_readError}; }
    void returnTo(const Mark& mark);

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    // Makes the first record (store order) whose `field` equals `value` current. Text is
    // compared without regard to ASCII letter case; the value is bound, never spliced into
    // the query, so quotes in titles and names are harmless. On no match the current
    // record stays as it was and noMatch() is true.
    bool findFirst(const QString& field, const QVariant& value);
    bool noMatch() const { return m_noMatch; }

    // A field of the record being added or edited (its pending value when one was set), or
    // of the current record. A null QVariant means the value is missing.
    QVariant value(const QString& field) const;
    // Whether the current record, as read, has the field at all.
    bool hasField(const QString& field) const { return m_current.fields.indexOf(field) >= 0; }

    // One field of every record the cursor holds, in store order (missing values are null
    // QVariants), read in one query: what walking the cursor and reading the field at each
    // record gives, without a query per record. The current record does not change.
    QVariantList columnValues(const QString& field) const;

    StoreError addNew();
    StoreError edit();
    StoreError setValue(const QString& field, const QVariant& value);
    // Writes the pending record in a transaction of its own. A refused write (error 3022 for
    // a duplicate key) keeps the pending record, so it can be corrected and written again.
    StoreError update();
    void cancelUpdate();
    StoreError deleteCurrent();

    // After an update or delete refused with ChangedMeanwhile or DeletedMeanwhile, the
    // pending values wait for the user's choice:
    // - reload(): drop them and read the records again, staying on the record when it is
    //   still there (else on the first);
    // - overwriteStoredVersion(version): write them over the record as it was stored when
    //   the user was told (storedVersion() before asking); changed again since, the update
    //   is refused with ChangedMeanwhile once more;
    // - keepAsNewRecord(): make them, with the record's other fields as they were read, a
    //   record to add.
    StoreError reload();
    StoreError storedVersion(QVariant& version) const;
    StoreError overwriteStoredVersion(const QVariant& version);
    StoreError keepAsNewRecord();

    // Why the current record could not be read on the last move (a lost server, say);
    // ok() when it was read. A record that was not read is not offered for editing.
    StoreError readError() const { return m_readError; }

    EditMode editMode() const { return m_mode; }

private:
    StoreBackend& backend() const;
    StoreError reloadRowIds();
    void setPosition(int pos);
    void loadCurrentRecord();
    StoreError failure(const QString& message, int number) const;

    Database* m_db = nullptr;
    QString m_table;
    QVector<qint64> m_rowIds;
    int m_pos = 0;
    bool m_noMatch = false;
    StoredRecord m_current;     // the current record as read on each move
    StoreError m_readError;
    EditMode m_mode = EditMode::None;
    QSqlRecord m_pending;       // fields set since add-new or edit
    RecordKey m_editKey;        // the record being edited, as it was read
    qint64 m_rowIdBeforeAdd = -1;
};

}  // namespace tagwright::store
