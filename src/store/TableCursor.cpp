#include "TableCursor.h"

#include "Database.h"

#include <QSqlField>

#include <algorithm>

namespace tagwright::store {

StoreError TableCursor::open(Database& db, const QString& table)
{
    m_db = &db;
    m_table = table;
    return refresh();
}

StoreError TableCursor::refresh()
{
    if (!m_db || !m_db->isOpen())
        return failure(QStringLiteral("The cursor is not open."), EngineFailure);
    cancelUpdate();
    if (StoreError error = reloadRowIds(); !error.ok())
        return error;
    setPosition(0);
    return {};
}

void TableCursor::close()
{
    cancelUpdate();
    m_rowIds.clear();
    m_current = StoredRecord();
    m_db = nullptr;
}

StoreBackend& TableCursor::backend() const
{
    return m_db->backend();
}

StoreError TableCursor::reloadRowIds()
{
    QVector<qint64> ids;
    if (StoreError error = backend().recordIds(m_table, ids); !error.ok())
        return error;
    m_rowIds = std::move(ids);
    return {};
}

void TableCursor::setPosition(int pos)
{
    cancelUpdate();
    m_pos = std::clamp(pos, -1, int(m_rowIds.size()));
    loadCurrentRecord();
}

void TableCursor::loadCurrentRecord()
{
    m_current = StoredRecord();
    m_readError = StoreError();
    if (hasCurrent())
        m_readError = backend().read(m_table, m_rowIds[m_pos], m_current);
}

void TableCursor::moveFirst() { setPosition(0); }

void TableCursor::returnTo(const Mark& mark)
{
    cancelUpdate();
    m_pos = std::clamp(mark.pos, -1, int(m_rowIds.size()));
    m_current = mark.current;
    m_readError = mark.readError;
}

bool TableCursor::moveTo(qint64 rowId)
{
    const int index = int(m_rowIds.indexOf(rowId));
    if (index < 0)
        return false;
    setPosition(index);
    return true;
}
void TableCursor::moveLast() { setPosition(int(m_rowIds.size()) - 1); }

void TableCursor::moveNext()
{
    setPosition(eof() ? int(m_rowIds.size()) : m_pos + 1);
}

void TableCursor::movePrevious()
{
    setPosition(bof() ? -1 : m_pos - 1);
}

bool TableCursor::findFirst(const QString& field, const QVariant& value)
{
    m_noMatch = true;
    if (!m_db || !m_db->isOpen() || value.isNull())
        return false;
    qint64 rowId = -1;
    if (!backend().findFirst(m_table, field, value, rowId).ok() || rowId < 0)
        return false;
    int index = int(m_rowIds.indexOf(rowId));
    if (index < 0) {
        // Added by another cursor since our last refresh.
        if (!reloadRowIds().ok())
            return false;
        index = int(m_rowIds.indexOf(rowId));
        if (index < 0)
            return false;
    }
    m_noMatch = false;
    setPosition(index);
    return true;
}

QVariantList TableCursor::columnValues(const QString& field) const
{
    QVariantList values;
    QVector<QPair<qint64, QVariant>> stored;
    if (!m_db || !m_db->isOpen() || !m_db->backend().fieldColumn(m_table, field, stored).ok())
        return values;
    // Both lists run in store order: records deleted or added elsewhere since the last
    // refresh are skipped over, as a walk would skip or not see them.
    values.reserve(m_rowIds.size());
    qsizetype next = 0;
    for (const auto& [id, value] : stored) {
        if (next >= m_rowIds.size())
            break;
        for (; next < m_rowIds.size() && m_rowIds[next] < id; ++next)
            values.append(QVariant());
        if (next < m_rowIds.size() && m_rowIds[next] == id) {
            values.append(value);
            ++next;
        }
    }
    values.resize(m_rowIds.size());
    return values;
}

QVariant TableCursor::value(const QString& field) const
{
    if (m_mode != EditMode::None) {
        const int pendingIndex = m_pending.indexOf(field);
        if (pendingIndex >= 0)
            return m_pending.value(pendingIndex);
        if (m_mode == EditMode::Add)
            return {};
    }
    const int index = m_current.fields.indexOf(field);
    return index >= 0 ? m_current.fields.value(index) : QVariant();
}

StoreError TableCursor::addNew()
{
    if (!m_db)
        return failure(QStringLiteral("The cursor is not open."), EngineFailure);
    cancelUpdate();
    m_rowIdBeforeAdd = currentRowId();
    m_mode = EditMode::Add;
    return {};
}

StoreError TableCursor::edit()
{
    if (!hasCurrent())
        return failure(QStringLiteral("No current record."), NoCurrentRecord);
    // A record that could not be read is not written blind.
    if (!m_readError.ok())
        return m_readError;
    if (!m_current.found) {
        return failure(QStringLiteral("The record was deleted elsewhere since it was shown."),
                       DeletedMeanwhile);
    }
    cancelUpdate();
    m_mode = EditMode::Edit;
    // The record as it was read, not as it is now: a change made elsewhere since then is
    // what the update must notice.
    m_editKey = {m_rowIds[m_pos], m_current.version};
    return {};
}

StoreError TableCursor::setValue(const QString& field, const QVariant& value)
{
    if (m_mode == EditMode::None)
        return failure(QStringLiteral("Update or CancelUpdate without AddNew or Edit."),
                       UpdateWithoutEdit);
    const int index = m_pending.indexOf(field);
    if (index >= 0) {
        m_pending.setValue(index, value);
    } else {
        QSqlField pendingField(field, value.metaType());
        pendingField.setValue(value);
        m_pending.append(pendingField);
    }
    return {};
}

void TableCursor::cancelUpdate()
{
    m_mode = EditMode::None;
    m_pending = QSqlRecord();
    m_editKey = RecordKey();
}

StoreError TableCursor::update()
{
    if (m_mode == EditMode::None)
        return failure(QStringLiteral("Update or CancelUpdate without AddNew or Edit."),
                       UpdateWithoutEdit);
    if (m_mode == EditMode::Edit) {
        if (m_pending.isEmpty()) {
            cancelUpdate();
            return {};
        }
        if (StoreError error = backend().update(m_table, m_editKey, m_pending); !error.ok())
            return error;
        cancelUpdate();
        loadCurrentRecord();
        return {};
    }

    qint64 newRowId = -1;
    if (StoreError error = backend().insert(m_table, m_pending, newRowId); !error.ok())
        return error;
    m_rowIds.append(newRowId);
    std::sort(m_rowIds.begin(), m_rowIds.end());
    // Like the record engines shops are used to: after adding, the record that was
    // current before stays current; with none, the new record is.
    const qint64 keep = m_rowIdBeforeAdd >= 0 ? m_rowIdBeforeAdd : newRowId;
    cancelUpdate();
    setPosition(int(m_rowIds.indexOf(keep)));
    return {};
}

StoreError TableCursor::deleteCurrent()
{
    if (!hasCurrent())
        return failure(QStringLiteral("No current record."), NoCurrentRecord);
    // A record that could not be read is not deleted blind: it may not be the one shown.
    if (!m_readError.ok())
        return m_readError;
    const RecordKey key{m_rowIds[m_pos], m_current.version};
    if (StoreError error = backend().remove(m_table, key); !error.ok())
        return error;
    m_rowIds.removeAt(m_pos);
    // The record after the deleted one (or the end) is where the cursor now stands.
    setPosition(m_pos);
    return {};
}

StoreError TableCursor::reload()
{
    const qint64 shown = currentRowId();
    if (StoreError error = refresh(); !error.ok())
        return error;
    if (const int index = int(m_rowIds.indexOf(shown)); index >= 0)
        setPosition(index);
    return {};
}

StoreError TableCursor::storedVersion(QVariant& version) const
{
    if (m_mode != EditMode::Edit)
        return failure(QStringLiteral("No record is being edited."), UpdateWithoutEdit);
    StoredRecord stored;
    if (StoreError error = backend().read(m_table, m_editKey.id, stored); !error.ok())
        return error;
    if (!stored.found) {
        return failure(QStringLiteral("The record was deleted elsewhere since it was shown."),
                       DeletedMeanwhile);
    }
    version = stored.version;
    return {};
}

StoreError TableCursor::overwriteStoredVersion(const QVariant& version)
{
    if (m_mode != EditMode::Edit)
        return failure(QStringLiteral("No record is being edited."), UpdateWithoutEdit);
    m_editKey.version = version;
    return {};
}

StoreError TableCursor::keepAsNewRecord()
{
    if (m_mode != EditMode::Edit)
        return failure(QStringLiteral("No record is being edited."), UpdateWithoutEdit);
    QSqlRecord values = m_current.fields;
    for (int i = 0; i < m_pending.count(); ++i) {
        const int index = values.indexOf(m_pending.fieldName(i));
        if (index >= 0)
            values.setValue(index, m_pending.value(i));
        else
            values.append(m_pending.field(i));
    }
    m_pending = values;
    m_editKey = RecordKey();
    m_rowIdBeforeAdd = currentRowId();
    m_mode = EditMode::Add;
    return {};
}

StoreError TableCursor::failure(const QString& message, int number) const
{
    return {number, message, m_db ? m_db->path() : QString()};
}

}  // namespace tagwright::store
