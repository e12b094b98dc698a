#include "PostgresBackend.h"

#include "ClientLibrary.h"
#include "Registration.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tagwright::store {

namespace {

// Milliseconds one statement or one wait for another workstation's lock may take.
constexpr int StatementLimit = 5000;
constexpr int LockLimit = 3000;
// Serialises creating the tables when two workstations start on an empty database at once.
constexpr qint64 CreateTablesLock = 0x54616777;   // "Tagw"

// libpq's words on one line, without the driver's "(SQLSTATE)" tail or libpq's "FATAL:".
// libpq breaks its messages into lines, some of them sentences without a full stop ("server
// closed the connection unexpectedly" / "This probably means ..."): a line that starts a new
// sentence gets one after the line before it.
QString serverWords(const QSqlError& error)
{
    QString text = error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
    static const QRegularExpression stateTail(QStringLiteral("\\(\\w*\\)\\s*$"));
    static const QRegularExpression severity(QStringLiteral("\\b(FATAL|ERROR):\\s*"));
    text.remove(stateTail);
    text.remove(severity);
    QString joined;
    for (const QString& piece : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString line = piece.simplified();
        if (line.isEmpty())
            continue;
        if (!joined.isEmpty()) {
            const QChar last = joined.back();
            const bool ended = last == u'.' || last == u':' || last == u';' || last == u'!'
                || last == u'?' || last == u',';
            joined += !ended && line.front().isUpper() ? QStringLiteral(". ") : QStringLiteral(" ");
        }
        joined += line;
    }
    return joined;
}

}  // namespace

PostgresBackend::PostgresBackend(ServerAddress address)
    : SqlStoreBackend(address.display), m_address(std::move(address))
{
}

PostgresBackend::~PostgresBackend()
{
    publishSocket(-1);
}

void PostgresBackend::publishSocket(int socket)
{
    if (m_socketWatcher)
        m_socketWatcher(socket);
}

StoreError PostgresBackend::ping()
{
    if (StoreError error = ready(); !error.ok())
        return error;
    QSqlQuery query(connection());
    return run(query, QStringLiteral("SELECT 1"));
}

StoreError PostgresBackend::open(const QVector<schema::TableLayout>& layout)
{
    if (StoreError error = connect(); !error.ok())
        return error;
    return layout.isEmpty() ? StoreError() : createMissingTables(layout);
}

StoreError PostgresBackend::connect()
{
    publishSocket(-1);
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        m_lost = true;
        return {ServerUnavailable,
                QStringLiteral("Qt's PostgreSQL driver is not installed. Install the package "
                               "libqt6sql6-psql."),
                location()};
    }
    QSqlDatabase& db = addConnection(QStringLiteral("QPSQL"));
    db.setConnectOptions(m_address.conninfo);
    if (!db.open()) {
        const QSqlError error = db.lastError();
        closeConnection();
        m_lost = true;
        // libpq's connect_timeout: the server took the connection but never answered.
        if (serverWords(error).contains(QLatin1String("timeout expired"))) {
            return {ServerUnavailable,
                    QStringLiteral("The database server did not answer when connected to: it may be "
                                   "stopped, overloaded or cut off. Try again when it is back."),
                    location()};
        }
        return {ServerUnavailable,
                QStringLiteral("Cannot reach the database server: %1").arg(serverWords(error)),
                location()};
    }
    m_lost = false;
    // Qt's driver hands the connection over as its struct's own name ("pg_conn*"); without
    // its socket, a statement stuck at the deadline could not be cut off.
    // The address was read through the same client library, so it is loaded by now.
    const QVariant handle = db.driver()->handle();
    QString unloaded;
    const ClientLibrary* pq = clientLibrary(unloaded);
    if (pq && handle.isValid()
        && (qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0))
        publishSocket(pq->socket(*static_cast<PGconn* const*>(handle.constData())));
    QSqlQuery limits(db);
    limits.exec(QStringLiteral("SET statement_timeout = %1").arg(StatementLimit));
    limits.exec(QStringLiteral("SET lock_timeout = %1").arg(LockLimit));
    // The server's notes ("already exists, skipping") are no business of the user's.
    limits.exec(QStringLiteral("SET client_min_messages = warning"));
    return {};
}

StoreError PostgresBackend::ready()
{
    if (!m_lost && connection().isOpen())
        return {};
    return connect();
}

StoreError PostgresBackend::failed(const QSqlError& error)
{
    StoreError result = SqlStoreBackend::failed(error);
    result.message = serverWords(error);
    if (result.number == ServerUnavailable) {
        m_lost = true;
        result.message = QStringLiteral("The connection to the database server was lost: %1")
                             .arg(result.message);
    }
    return result;
}

QString PostgresBackend::indexStatement(const schema::TableLayout& table, const schema::Index& index)
{
    const QString field = quoted(index.field);
    QString indexed = field;
    if (index.kind == schema::Index::Kind::IgnoringCase)
        indexed = QStringLiteral("lower(%1)").arg(field);
    else if (index.kind == schema::Index::Kind::Registration)
        indexed = u'(' + registration::postgresKey(field) + u')';
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(quoted(schema::indexName(table.name, index)), quoted(table.name), indexed);
}

QStringList PostgresBackend::createStatements(const QVector<schema::TableLayout>& layout)
{
    QStringList statements;
    for (const schema::TableLayout& table : layout) {
        QStringList columns{quoted(schema::RecordId) + QStringLiteral(" BIGSERIAL PRIMARY KEY"),
                            quoted(schema::RecordVersion)
                                + QStringLiteral(" INTEGER NOT NULL DEFAULT 1")};
        for (const schema::Column& column : table.columns)
            columns << quoted(column.name) + u' ' + schema::sqlType(column.type);
        if (!table.uniqueTitle.isEmpty())
            columns << quoted(schema::TitleKey) + QStringLiteral(" TEXT UNIQUE");
        statements << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                          .arg(quoted(table.name), columns.join(QStringLiteral(", ")));
        for (const schema::Index& index : table.indexes)
            statements << indexStatement(table, index);
    }
    return statements;
}

bool PostgresBackend::missingParts(const QVector<schema::TableLayout>& layout, QStringList& steps)
{
    steps.clear();
    bool titleKeys = true;
    QSqlQuery query(connection());
    QSet<QString> indexes;
    if (query.exec(QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()"))) {
        while (query.next())
            indexes.insert(query.value(0).toString());
    }
    for (const schema::TableLayout& table : layout) {
        if (!hasTable(table.name)
            || !query.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(quoted(table.name)))) {
            steps << createStatements({table});
            continue;
        }
        // Columns and indexes later versions added to a table an earlier one made.
        const QSqlRecord fields = query.record();
        titleKeys = titleKeys && (table.uniqueTitle.isEmpty() || fields.indexOf(schema::TitleKey) >= 0);
        for (const schema::Column& column : table.columns) {
            if (fields.indexOf(column.name) < 0) {
                steps << QStringLiteral("ALTER TABLE %1 ADD COLUMN IF NOT EXISTS %2 %3")
                             .arg(quoted(table.name), quoted(column.name), schema::sqlType(column.type));
            }
        }
        for (const schema::Index& index : table.indexes) {
            if (!indexes.contains(schema::indexName(table.name, index)))
                steps << indexStatement(table, index);
        }
    }
    return steps.isEmpty() && titleKeys;
}

StoreError PostgresBackend::createMissingTables(const QVector<schema::TableLayout>& layout)
{
    QStringList tables;
    for (const schema::TableLayout& table : layout)
        tables << table.name;
    QStringList missing;
    if (missingParts(layout, missing))
        return {};
    QSqlDatabase& db = connection();
    if (!db.transaction())
        return failed(db.lastError());
    const auto abandon = [&db](const StoreError& error) {
        db.rollback();
        return error;
    };
    QSqlQuery query(db);
    if (StoreError error = run(query, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(CreateTablesLock));
        !error.ok())
        return abandon(error);
    // Asked again under the lock: another workstation may have made them meanwhile, and only
    // a table made now gets its starting rows.
    QStringList steps = missing;
    for (const schema::TableLayout& table : layout) {
        if (!hasTable(table.name))
            steps << schema::startingRowStatements(table);
    }
    for (const QString& step : steps) {
        if (StoreError error = run(query, step); !error.ok())
            return abandon(error);
    }
    query.finish();
    // Databases made before titles kept their fold key get it now, in the same transaction.
    if (StoreError error = addTitleKeys(tables); !error.ok())
        return abandon(error);
    if (!db.commit()) {
        const StoreError error = failed(db.lastError());
        db.rollback();
        return error;
    }
    return {};
}

bool PostgresBackend::hasTable(const QString& table)
{
    bool found = false;
    return findTable(table, found).ok() && found;
}

StoreError PostgresBackend::findTable(const QString& table, bool& found)
{
    found = false;
    if (StoreError error = ready(); !error.ok())
        return error;
    QSqlQuery query(connection());
    query.prepare(QStringLiteral("SELECT 1 FROM information_schema.tables "
                                 "WHERE table_schema = current_schema() AND table_name = ?"));
    query.addBindValue(table);
    if (StoreError error = run(query); !error.ok())
        return error;
    found = query.next();
    return {};
}

SqlStoreBackend::Columns PostgresBackend::findColumns(const QString&)
{
    return {schema::RecordId, schema::RecordVersion, {}};
}

QString PostgresBackend::equalsIgnoringCase(const QString& quotedField) const
{
    return QStringLiteral("lower(%1) = lower(?)").arg(quotedField);
}

int PostgresBackend::classify(const QSqlError& error) const
{
    const QString state = error.nativeErrorCode();
    if (state == QLatin1String("23505"))
        return DuplicateKey;
    // Connection failures (08), the server shutting down or restarting (57P), too many
    // connections (53300) and refused logins (28).
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"))
        || state == QLatin1String("53300") || state.startsWith(QLatin1String("28")))
        return ServerUnavailable;
    // libpq reports a connection that died under a statement without a state.
    if (state.isEmpty() && error.type() == QSqlError::ConnectionError)
        return ServerUnavailable;
    if (state.isEmpty()
        && (error.databaseText().contains(QLatin1String("server closed the connection"))
            || error.databaseText().contains(QLatin1String("no connection to the server"))
            || error.databaseText().contains(QLatin1String("terminating connection"))))
        return ServerUnavailable;
    return EngineFailure;
}

QVariant PostgresBackend::bindable(const QVariant& value) const
{
    // The flags are stored as numbers on both engines.
    if (value.typeId() == QMetaType::Bool)
        return QVariant(value.toBool() ? 1 : 0);
    return value;
}

QString PostgresBackend::likeIgnoringCase(const QString& quotedField) const
{
    return quotedField + QStringLiteral(" ILIKE ? ESCAPE '\\'");
}

QString PostgresBackend::registrationKey(const QString& quotedField) const
{
    return registration::postgresKey(quotedField);
}

}  // namespace tagwright::store
