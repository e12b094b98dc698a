#include "SqlStoreBackend.h"

#include "Registration.h"
#include "Schema.h"

#include <QSet>

#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <atomic>

namespace tagwright::store {

namespace {

// Takes out of a record read whole the columns the store keeps for itself: the identity,
// the version and a title's fold key.
void removeBookkeeping(QSqlRecord& fields, const QString& identity, const QString& version,
                       bool keepsTitleKey)
{
    for (const QString& hidden : {identity, version, keepsTitleKey ? schema::TitleKey : QString()}) {
        const int index = hidden.isEmpty() ? -1 : fields.indexOf(hidden);
        if (index >= 0)
            fields.remove(index);
    }
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("tagwright-%1").arg(++counter);
}

}  // namespace

SqlStoreBackend::SqlStoreBackend(QString location) : m_location(std::move(location)) {}

SqlStoreBackend::~SqlStoreBackend()
{
    closeConnection();
}

QSqlDatabase& SqlStoreBackend::addConnection(const QString& driver)
{
    closeConnection();
    m_connectionName = nextConnectionName();
    m_db = QSqlDatabase::addDatabase(driver, m_connectionName);
    return m_db;
}

void SqlStoreBackend::closeConnection()
{
    if (m_connectionName.isEmpty())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

QString SqlStoreBackend::quoted(const QString& identifier)
{
    if (identifier == QLatin1String("rowid"))
        return identifier;
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString SqlStoreBackend::engineText(const QSqlError& error)
{
    return error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
}

StoreError SqlStoreBackend::failed(const QSqlError& error)
{
    return {classify(error), engineText(error), m_location};
}

StoreError SqlStoreBackend::run(QSqlQuery& query)
{
    // A statement the engine could not prepare carries the engine's reason, which the
    // execution would replace with "No query".
    if (query.lastError().isValid())
        return failed(query.lastError());
    if (!query.exec())
        return failed(query.lastError());
    return {};
}

StoreError SqlStoreBackend::run(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement))
        return failed(query.lastError());
    return {};
}

const SqlStoreBackend::Columns& SqlStoreBackend::columns(const QString& table)
{
    auto found = m_columns.constFind(table);
    if (found == m_columns.constEnd()) {
        Columns names = findColumns(table);
        const QString title = schema::uniqueTitleOf(table);
        if (!title.isEmpty() && hasColumn(table, schema::TitleKey))
            names.titleField = title;
        found = m_columns.insert(table, names);
    }
    return *found;
}

bool SqlStoreBackend::hasColumn(const QString& table, const QString& column)
{
    QSqlQuery query(m_db);
    return query.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(quoted(table)))
        && query.record().indexOf(column) >= 0;
}

StoreError SqlStoreBackend::withTitleKey(const QString& table, const QSqlRecord& values,
                                         QSqlRecord& result)
{
    result = values;
    const QString title = schema::uniqueTitleOf(table);
    const int index = title.isEmpty() ? -1 : values.indexOf(title);
    if (index < 0)
        return {};
    // Whatever the entrance (a window box, a command, a copy), a template's title keeps to
    // its length. Other unique names (an aircraft's registration) are as long as typed.
    const QString text = values.value(index).toString();
    if (table == schema::LabelsTable && text.size() > schema::TitleLength) {
        return {EngineFailure,
                QStringLiteral("The title \"%1...\" is longer than %2 characters; a title holds at most %2.")
                    .arg(text.left(schema::TitleLength)).arg(schema::TitleLength),
                m_location};
    }
    if (columns(table).titleField.isEmpty())
        return {};
    QSqlField key(schema::TitleKey, QMetaType::fromType<QString>());
    key.setValue(schema::titleKey(values.value(index)));
    result.append(key);
    return {};
}

StoreError SqlStoreBackend::addTitleKeys(const QStringList& tables)
{
    for (const QString& table : tables) {
        const QString title = schema::uniqueTitleOf(table);
        if (title.isEmpty() || hasColumn(table, schema::TitleKey))
            continue;
        forgetColumns();
        const QString identity = quoted(columns(table).identity);
        QSqlQuery query(m_db);
        if (StoreError error = run(query, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT")
                                              .arg(quoted(table), quoted(schema::TitleKey)));
            !error.ok())
            return error;
        QVector<QPair<qint64, QVariant>> titles;
        query.prepare(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(identity, quoted(title), quoted(table)));
        if (StoreError error = run(query); !error.ok())
            return error;
        while (query.next())
            titles.append({query.value(0).toLongLong(), query.value(1)});
        query.finish();
        QSet<QString> taken;
        QSqlQuery write(m_db);
        write.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?").arg(quoted(table), quoted(schema::TitleKey), identity));
        for (const auto& [id, value] : titles) {
            QVariant key = schema::titleKey(value);
            if (!key.isNull() && taken.contains(key.toString()))
                key = QStringLiteral("%1\x01%2").arg(key.toString()).arg(id);
            else if (!key.isNull())
                taken.insert(key.toString());
            write.addBindValue(key);
            write.addBindValue(id);
            if (StoreError error = run(write); !error.ok())
                return error;
        }
        if (StoreError error = run(query, QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)")
                                              .arg(quoted(table + QStringLiteral("_title_key")), quoted(table),
                                                   quoted(schema::TitleKey)));
            !error.ok())
            return error;
    }
    forgetColumns();
    return {};
}

StoreError SqlStoreBackend::recordIds(const QString& table, QVector<qint64>& ids)
{
    if (StoreError error = ready(); !error.ok())
        return error;
    const QString identity = quoted(columns(table).identity);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(identity, quoted(table)));
    if (StoreError error = run(query); !error.ok())
        return error;
    ids.clear();
    while (query.next())
        ids.append(query.value(0).toLongLong());
    return {};
}

StoreError SqlStoreBackend::fieldColumn(const QString& table, const QString& field,
                                        QVector<QPair<qint64, QVariant>>& values)
{
    if (StoreError error = ready(); !error.ok())
        return error;
    const QString identity = quoted(columns(table).identity);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(identity, quoted(field), quoted(table)));
    if (StoreError error = run(query); !error.ok())
        return error;
    values.clear();
    while (query.next())
        values.append({query.value(0).toLongLong(), query.value(1)});
    return {};
}

StoreError SqlStoreBackend::read(const QString& table, qint64 id, StoredRecord& record)
{
    record = StoredRecord();
    if (StoreError error = ready(); !error.ok())
        return error;
    const Columns& names = columns(table);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    const QString version = names.version.isEmpty() ? QStringLiteral("NULL") : quoted(names.version);
    query.prepare(QStringLiteral("SELECT %1 AS tagwright_version, * FROM %2 WHERE %3 = ?")
                      .arg(version, quoted(table), quoted(names.identity)));
    query.addBindValue(id);
    if (StoreError error = run(query); !error.ok())
        return error;
    if (!query.next())
        return {};
    record.found = true;
    record.fields = query.record();
    record.version = record.fields.value(0);
    record.fields.remove(0);
    removeBookkeeping(record.fields, names.identity, names.version, !names.titleField.isEmpty());
    return {};
}

StoreError SqlStoreBackend::findFirst(const QString& table, const QString& field,
                                      const QVariant& value, qint64& id)
{
    id = -1;
    if (StoreError error = ready(); !error.ok())
        return error;
    const Columns& names = columns(table);
    const QString identity = quoted(names.identity);
    // A title is found by its fold key, so every engine ignores letter case alike.
    const bool byKey = !names.titleField.isEmpty() && names.titleField.compare(field, Qt::CaseInsensitive) == 0;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %1 LIMIT 1")
                      .arg(identity, quoted(table),
                           byKey ? quoted(schema::TitleKey) + QStringLiteral(" = ?")
                                 : equalsIgnoringCase(quoted(field))));
    query.addBindValue(byKey ? schema::titleKey(value) : bindable(value));
    if (StoreError error = run(query); !error.ok())
        return error;
    if (query.next())
        id = query.value(0).toLongLong();
    return {};
}

QString SqlStoreBackend::whereClause(const QVector<Condition>& conditions, QVariantList& bound) const
{
    const auto escapedPattern = [](QString pattern) {
        pattern.replace(u'\\', QStringLiteral("\\\\"));
        pattern.replace(u'%', QStringLiteral("\\%"));
        pattern.replace(u'_', QStringLiteral("\\_"));
        return pattern;
    };
    QStringList tests;
    for (const Condition& condition : conditions) {
        const QString field = quoted(condition.field);
        switch (condition.test) {
        case Condition::Test::EqualsIgnoringCase:
            tests << equalsIgnoringCase(field);
            bound << bindable(condition.value);
            break;
        case Condition::Test::AtLeast:
            tests << field + QStringLiteral(" >= ?");
            bound << bindable(condition.value);
            break;
        case Condition::Test::Before:
            tests << field + QStringLiteral(" < ?");
            bound << bindable(condition.value);
            break;
        case Condition::Test::ContainsIgnoringCase:
            tests << likeIgnoringCase(field);
            bound << QVariant(u'%' + escapedPattern(condition.value.toString()) + u'%');
            break;
        case Condition::Test::StartsWithIgnoringCase:
            tests << likeIgnoringCase(field);
            bound << QVariant(escapedPattern(condition.value.toString()) + u'%');
            break;
        case Condition::Test::SameRegistration:
            tests << registrationKey(field) + QStringLiteral(" = ?");
            bound << QVariant(registration::key(condition.value.toString()));
            break;
        case Condition::Test::RegistrationStartsWith: {
            // A range of the key, which its index answers.
            const QString key = registration::key(condition.value.toString());
            tests << registrationKey(field) + QStringLiteral(" >= ?");
            bound << QVariant(key);
            if (const std::optional<QString> end = registration::keyRangeEnd(key)) {
                tests << registrationKey(field) + QStringLiteral(" < ?");
                bound << QVariant(*end);
            }
            break;
        }
        }
    }
    return tests.isEmpty() ? QString() : QStringLiteral(" WHERE ") + tests.join(QStringLiteral(" AND "));
}

StoreError SqlStoreBackend::count(const QString& table, const QVector<Condition>& conditions,
                                  qint64& records)
{
    records = 0;
    if (StoreError error = ready(); !error.ok())
        return error;
    QVariantList bound;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)) + whereClause(conditions, bound));
    for (const QVariant& value : bound)
        query.addBindValue(value);
    if (StoreError error = run(query); !error.ok())
        return error;
    if (query.next())
        records = query.value(0).toLongLong();
    return {};
}

StoreError SqlStoreBackend::select(const QString& table, const Selection& selection,
                                   QVector<SelectedRecord>& records)
{
    records.clear();
    if (StoreError error = ready(); !error.ok())
        return error;
    const QString identity = quoted(columns(table).identity);
    QStringList fields;
    for (const QString& field : selection.fields)
        fields << quoted(field);
    QVariantList bound;
    QString sql = QStringLiteral("SELECT %1%2 FROM %3")
                      .arg(identity, fields.isEmpty() ? QStringLiteral(", *") : u',' + fields.join(u','),
                           quoted(table));
    sql += whereClause(selection.conditions, bound);
    const QString direction = selection.descending ? QStringLiteral(" DESC") : QString();
    sql += QStringLiteral(" ORDER BY ");
    if (!selection.orderBy.isEmpty())
        sql += quoted(selection.orderBy) + direction + QStringLiteral(", ");
    sql += identity + direction;
    if (selection.limit >= 0)
        sql += QStringLiteral(" LIMIT %1 OFFSET %2").arg(selection.limit).arg(selection.offset);
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& value : bound)
        query.addBindValue(value);
    if (StoreError error = run(query); !error.ok())
        return error;
    const Columns& names = columns(table);
    while (query.next()) {
        SelectedRecord record;
        record.id = query.value(0).toLongLong();
        record.fields = query.record();
        record.fields.remove(0);
        if (fields.isEmpty())
            removeBookkeeping(record.fields, names.identity, names.version, !names.titleField.isEmpty());
        records.append(record);
    }
    return {};
}

StoreError SqlStoreBackend::insert(const QString& table, const QSqlRecord& given, qint64& id)
{
    if (StoreError error = ready(); !error.ok())
        return error;
    QSqlRecord values;
    if (StoreError error = withTitleKey(table, given, values); !error.ok())
        return error;
    const QString identity = quoted(columns(table).identity);
    QStringList names;
    for (int i = 0; i < values.count(); ++i)
        names << quoted(values.fieldName(i));
    QSqlQuery query(m_db);
    if (names.isEmpty()) {
        query.prepare(QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2")
                          .arg(quoted(table), identity));
    } else {
        const QStringList marks(names.size(), QStringLiteral("?"));
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                          .arg(quoted(table), names.join(u','), marks.join(u','), identity));
    }
    for (int i = 0; i < values.count(); ++i)
        query.addBindValue(bindable(values.value(i)));
    if (StoreError error = run(query); !error.ok())
        return error;
    if (!query.next())
        return failed(query.lastError());
    // SQLite answers an insert into a view with no record and no error.
    if (query.value(0).isNull() || query.value(0).toLongLong() <= 0) {
        return {EngineFailure,
                QStringLiteral("The table \"%1\" took no record: it is not a table records can be "
                               "added to (a view, or one another program changed).").arg(table),
                m_location};
    }
    id = query.value(0).toLongLong();
    // SQLite finishes the statement, and with it the write, only once it is stepped past
    // the returned row.
    query.finish();
    return {};
}

StoreError SqlStoreBackend::update(const QString& table, const RecordKey& key,
                                   const QSqlRecord& given)
{
    if (StoreError error = ready(); !error.ok())
        return error;
    QSqlRecord values;
    if (StoreError error = withTitleKey(table, given, values); !error.ok())
        return error;
    QStringList sets;
    for (int i = 0; i < values.count(); ++i)
        sets << quoted(values.fieldName(i)) + QStringLiteral(" = ?");
    QVariantList bound;
    for (int i = 0; i < values.count(); ++i)
        bound << bindable(values.value(i));
    return writeRecord(table, key, QStringLiteral("UPDATE %1 SET %2").arg(quoted(table), sets.join(u',')),
                       bound);
}

StoreError SqlStoreBackend::remove(const QString& table, const RecordKey& key)
{
    return writeRecord(table, key, QStringLiteral("DELETE FROM %1").arg(quoted(table)), {});
}

// An UPDATE or DELETE of one record: it names the record by its identity and, where the table
// keeps versions, only the version that was read, and counts the version up.
StoreError SqlStoreBackend::writeRecord(const QString& table, const RecordKey& key,
                                        const QString& statement, const QVariantList& bound)
{
    if (StoreError error = ready(); !error.ok())
        return error;
    const Columns& names = columns(table);
    QString sql = statement;
    const bool versioned = !names.version.isEmpty();
    if (versioned && statement.startsWith(QLatin1String("UPDATE")))
        sql += QStringLiteral(", %1 = %1 + 1").arg(quoted(names.version));
    sql += QStringLiteral(" WHERE %1 = ?").arg(quoted(names.identity));
    const bool checked = versioned && !key.version.isNull();
    if (checked)
        sql += QStringLiteral(" AND %1 = ?").arg(quoted(names.version));
    QSqlQuery query(m_db);
    query.prepare(sql);
    for (const QVariant& value : bound)
        query.addBindValue(value);
    query.addBindValue(key.id);
    if (checked)
        query.addBindValue(key.version);
    if (StoreError error = run(query); !error.ok())
        return error;
    if (query.numRowsAffected() == 0)
        return classifyMissedWrite(table, key);
    return {};
}

StoreError SqlStoreBackend::inTransaction(const std::function<StoreError()>& work)
{
    if (StoreError error = ready(); !error.ok())
        return error;
    if (!m_db.transaction())
        return failed(m_db.lastError());
    StoreError outcome = work();
    if (outcome.ok() && !m_db.commit())
        outcome = failed(m_db.lastError());
    if (!outcome.ok())
        m_db.rollback();
    return outcome;
}

// A write that touched no record: the record is gone, or it is there with another version.
StoreError SqlStoreBackend::classifyMissedWrite(const QString& table, const RecordKey& key)
{
    StoredRecord now;
    if (StoreError error = read(table, key.id, now); !error.ok())
        return error;
    if (!now.found) {
        return {DeletedMeanwhile,
                QStringLiteral("The record was deleted elsewhere since it was shown."), m_location};
    }
    return {ChangedMeanwhile,
            QStringLiteral("The record was changed elsewhere since it was shown."), m_location};
}

}  // namespace tagwright::store
