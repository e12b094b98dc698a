#include "SqliteBackend.h"

#include "Registration.h"
#include "Schema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tagwright::store {

SqliteBackend::SqliteBackend(const QString& path) : SqlStoreBackend(path) {}

StoreError SqliteBackend::open(Access access)
{
    QSqlDatabase& db = addConnection(QStringLiteral("QSQLITE"));
    db.setDatabaseName(location());
    // A shop database may sit in a shared folder: wait a little for another writer's lock.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000");
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        StoreError error = failed(db.lastError());
        error.number = CannotOpenFile;
        return error;
    }
    // SQLite opens lazily; reading the catalogue tells a database from any other file.
    QSqlQuery probe(db);
    probe.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (StoreError error = run(probe); !error.ok()) {
        error.number = CannotOpenFile;
        closeConnection();
        return error;
    }
    return {};
}

StoreError SqliteBackend::execute(const QStringList& statements)
{
    QSqlDatabase& db = connection();
    db.transaction();
    QSqlQuery query(db);
    for (const QString& statement : statements) {
        if (StoreError error = run(query, statement); !error.ok()) {
            db.rollback();
            return error;
        }
    }
    if (!db.commit()) {
        const StoreError error = failed(db.lastError());
        db.rollback();
        return error;
    }
    forgetColumns();
    return {};
}

bool SqliteBackend::hasTable(const QString& table)
{
    QSqlQuery query(connection());
    query.prepare(QStringLiteral(
        "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next();
}

int SqliteBackend::tableCount()
{
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

QStringList SqliteBackend::fieldNames(const QString& table)
{
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT name FROM pragma_table_info(?)"));
    query.addBindValue(table);
    QStringList names;
    if (query.exec()) {
        while (query.next())
            names << query.value(0).toString();
    }
    return names;
}

QString SqliteBackend::tableDefinition(const QString& table)
{
    QSqlQuery query(connection());
    query.prepare(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table);
    return query.exec() && query.next() ? query.value(1).toString() : QString();
}

SqlStoreBackend::Columns SqliteBackend::findColumns(const QString& table)
{
    const QStringList names = fieldNames(table);
    Columns columns{QStringLiteral("rowid"), QString(), QString()};
    if (names.contains(schema::RecordId, Qt::CaseInsensitive))
        columns.identity = schema::RecordId;
    if (names.contains(schema::RecordVersion, Qt::CaseInsensitive))
        columns.version = schema::RecordVersion;
    return columns;
}

StoreError SqliteBackend::upgrade(const QStringList& tables,
                                  const QVector<schema::TableLayout>& layout)
{
    QSqlDatabase& db = connection();
    QSqlQuery query(db);
    // Taking the write lock first makes two programs opening one old file at once take
    // turns: the second finds the work done.
    if (StoreError error = run(query, QStringLiteral("BEGIN IMMEDIATE")); !error.ok())
        return error;
    StoreError outcome;
    for (const QString& table : tables) {
        const QStringList fields = fieldNames(table);
        if (fields.isEmpty() || fields.contains(schema::RecordId, Qt::CaseInsensitive))
            continue;
        // The table's own definition, so its fields, types and rules stay as they were.
        const QString definition = tableDefinition(table);
        const qsizetype open = definition.indexOf(u'(');
        if (open < 0)
            continue;
        const QString upgraded = table + QStringLiteral("_upgrade");
        QStringList quotedFields;
        for (const QString& field : fields)
            quotedFields << quoted(field);
        const QString list = quotedFields.join(u',');
        const QStringList steps{
            QStringLiteral("CREATE TABLE %1 (%2 INTEGER PRIMARY KEY AUTOINCREMENT, "
                           "%3 INTEGER NOT NULL DEFAULT 1, %4")
                .arg(quoted(upgraded), schema::RecordId, schema::RecordVersion,
                     definition.mid(open + 1)),
            QStringLiteral("INSERT INTO %1 (%2, %3) SELECT rowid, %3 FROM %4 ORDER BY rowid")
                .arg(quoted(upgraded), schema::RecordId, list, quoted(table)),
            QStringLiteral("DROP TABLE %1").arg(quoted(table)),
            QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(quoted(upgraded), quoted(table)),
        };
        for (const QString& step : steps) {
            if (outcome = run(query, step); !outcome.ok())
                break;
        }
        if (!outcome.ok())
            break;
    }
    for (const schema::TableLayout& table : layout) {
        if (!outcome.ok())
            break;
        QStringList creation;
        if (hasTable(table.name)) {
            // Columns later versions added to a table an earlier one made.
            const QStringList fields = fieldNames(table.name);
            for (const schema::Column& column : table.columns) {
                if (!fields.contains(column.name, Qt::CaseInsensitive))
                    creation << QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                    .arg(quoted(table.name), quoted(column.name), schema::sqlType(column.type));
            }
            creation << schema::sqliteIndexStatements(table);
        } else {
            creation = schema::sqliteStatements({table});
        }
        for (const QString& step : creation) {
            if (outcome = run(query, step); !outcome.ok())
                break;
        }
    }
    query.finish();
    if (outcome.ok())
        outcome = addTitleKeys(tables);
    const QString end = outcome.ok() ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK");
    if (StoreError error = run(query, end); outcome.ok() && !error.ok()) {
        outcome = error;
        query.exec(QStringLiteral("ROLLBACK"));
    }
    forgetColumns();
    return outcome;
}

QString SqliteBackend::equalsIgnoringCase(const QString& quotedField) const
{
    return quotedField + QStringLiteral(" = ? COLLATE NOCASE");
}

int SqliteBackend::classify(const QSqlError& error) const
{
    // The driver reports a UNIQUE violation as a connection error; the code tells it apart.
    const QString code = error.nativeErrorCode();
    const bool unique = code == QLatin1String("2067") || code == QLatin1String("1555")
        || error.databaseText().contains(QLatin1String("UNIQUE constraint failed"));
    if (unique)
        return DuplicateKey;
    // SQLITE_BUSY and SQLITE_LOCKED with their extended codes (the low byte is the primary).
    const int primary = code.toInt() & 0xff;
    return primary == 5 || primary == 6 ? Locked : EngineFailure;
}

QString SqliteBackend::likeIgnoringCase(const QString& quotedField) const
{
    return quotedField + QStringLiteral(" LIKE ? ESCAPE '\\'");
}

QString SqliteBackend::registrationKey(const QString& quotedField) const
{
    return registration::sqliteKey(quotedField);
}

}  // namespace tagwright::store
