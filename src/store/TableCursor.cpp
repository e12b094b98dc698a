#include "TableCursor.h"

#include "Database.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

#include <algorithm>

namespace tagwright::store {

namespace {

// Field and table names come from the program itself, but quote them anyway.
QString quoted(const QString& identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool isUniqueViolation(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("2067") || code == QLatin1String("1555")
        || error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
}

}  // namespace

StoreError TableCursor::open(Database& db, const QString& table)
{
    m_db = &db;
    m_table = table;
    return refresh();
}

StoreError TableCursor::refresh()
{
    if (!m_db)
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
    m_current = QSqlRecord();
    m_db = nullptr;
}

StoreError TableCursor::reloadRowIds()
{
    QSqlQuery query(m_db->connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoted(m_table))))
        return failure(query.lastError().text(), EngineFailure);
    m_rowIds.clear();
    while (query.next())
        m_rowIds.append(query.value(0).toLongLong());
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
    m_current = QSqlRecord();
    if (!hasCurrent())
        return;
    QSqlQuery query(m_db->connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    query.addBindValue(m_rowIds[m_pos]);
    if (query.exec() && query.next())
        m_current = query.record();
}

void TableCursor::moveFirst() { setPosition(0); }
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
    if (!m_db || value.isNull())
        return false;
    QSqlQuery query(m_db->connection());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2 = ? COLLATE NOCASE "
                                 "ORDER BY rowid LIMIT 1")
                      .arg(quoted(m_table), quoted(field)));
    query.addBindValue(value);
    if (!query.exec() || !query.next())
        return false;
    const qint64 rowId = query.value(0).toLongLong();
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
    if (!m_db)
        return values;
    QSqlQuery query(m_db->connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid, %2 FROM %1 ORDER BY rowid")
                        .arg(quoted(m_table), quoted(field))))
        return values;
    // Both lists run in rowid order: records deleted or added elsewhere since the last
    // refresh are skipped over, as a walk would skip or not see them.
    values.reserve(m_rowIds.size());
    qsizetype next = 0;
    while (next < m_rowIds.size() && query.next()) {
        const qint64 rowId = query.value(0).toLongLong();
        for (; next < m_rowIds.size() && m_rowIds[next] < rowId; ++next)
            values.append(QVariant());
        if (next < m_rowIds.size() && m_rowIds[next] == rowId) {
            values.append(query.value(1));
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
    const int index = m_current.indexOf(field);
    return index >= 0 ? m_current.value(index) : QVariant();
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
    cancelUpdate();
    m_mode = EditMode::Edit;
    m_editRowId = m_rowIds[m_pos];
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
    m_editRowId = -1;
}

StoreError TableCursor::update()
{
    if (m_mode == EditMode::None)
        return failure(QStringLiteral("Update or CancelUpdate without AddNew or Edit."),
                       UpdateWithoutEdit);
    QStringList names;
    for (int i = 0; i < m_pending.count(); ++i)
        names << quoted(m_pending.fieldName(i));

    QSqlQuery query(m_db->connection());
    if (m_mode == EditMode::Add) {
        if (names.isEmpty()) {
            query.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table)));
        } else {
            QStringList marks(names.size(), QStringLiteral("?"));
            query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(quoted(m_table), names.join(u','), marks.join(u',')));
        }
    } else {
        if (names.isEmpty()) {
            cancelUpdate();
            return {};
        }
        QStringList sets;
        for (const QString& name : names)
            sets << name + QStringLiteral(" = ?");
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                          .arg(quoted(m_table), sets.join(u',')));
    }
    for (int i = 0; i < m_pending.count(); ++i)
        query.addBindValue(m_pending.value(i));
    if (m_mode == EditMode::Edit)
        query.addBindValue(m_editRowId);

    QSqlDatabase& connection = m_db->connection();
    connection.transaction();
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        connection.rollback();
        const QString message =
            error.databaseText().isEmpty() ? error.text() : error.databaseText();
        return failure(message, isUniqueViolation(error) ? DuplicateKey : EngineFailure);
    }
    if (!connection.commit()) {
        const QSqlError error = connection.lastError();
        connection.rollback();
        return failure(error.text(), EngineFailure);
    }

    if (m_mode == EditMode::Add) {
        const qint64 newRowId = query.lastInsertId().toLongLong();
        m_rowIds.append(newRowId);
        std::sort(m_rowIds.begin(), m_rowIds.end());
        // Like the record engines shops are used to: after adding, the record that was
        // current before stays current; with none, the new record is.
        const qint64 keep = m_rowIdBeforeAdd >= 0 ? m_rowIdBeforeAdd : newRowId;
        const int pos = int(m_rowIds.indexOf(keep));
        cancelUpdate();
        setPosition(pos);
    } else {
        cancelUpdate();
        loadCurrentRecord();
    }
    return {};
}

StoreError TableCursor::deleteCurrent()
{
    if (!hasCurrent())
        return failure(QStringLiteral("No current record."), NoCurrentRecord);
    QSqlQuery query(m_db->connection());
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    query.addBindValue(m_rowIds[m_pos]);
    QSqlDatabase& connection = m_db->connection();
    connection.transaction();
    if (!query.exec()) {
        const QSqlError error = query.lastError();
        connection.rollback();
        return failure(error.databaseText().isEmpty() ? error.text() : error.databaseText(),
                       EngineFailure);
    }
    if (!connection.commit()) {
        const QString message = connection.lastError().text();
        connection.rollback();
        return failure(message, EngineFailure);
    }
    m_rowIds.removeAt(m_pos);
    // The record after the deleted one (or the end) is where the cursor now stands.
    setPosition(m_pos);
    return {};
}

StoreError TableCursor::failure(const QString& message, int number) const
{
    return {number, message, m_db ? m_db->path() : QString()};
}

}  // namespace tagwright::store
