#include "AccessImport.h"

#include "FilePlacement.h"

#include "store/Database.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tagwright::legacy {

namespace schema = store::schema;

namespace {

QStringList requiredTables(DatabaseKind kind)
{
    return kind == DatabaseKind::Setup ? schema::setupTables() : schema::mainTables();
}

// Copies one Access table into the Tagwright table of the same name, field by field, in
// stored order. Tagwright's fields the Access table lacks stay missing.
QString copyTable(QSqlDatabase& db, const AccessTable& source, const QString& tableName,
                  ImportSummary& summary)
{
    QStringList fields;
    QVector<int> sourceColumns;
    const QSqlRecord record = db.record(tableName);
    for (int i = 0; i < record.count(); ++i) {
        const int column = source.columnIndex(record.fieldName(i));
        if (column < 0)
            continue;
        fields << record.fieldName(i);
        sourceColumns << column;
    }
    for (const AccessColumn& column : source.columns) {
        if (record.indexOf(column.name) < 0)
            summary.skippedFields << QStringLiteral("%1.%2").arg(source.name, column.name);
    }
    if (!fields.isEmpty()) {
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(tableName, fields.join(u','),
                                QStringList(fields.size(), QStringLiteral("?")).join(u',')));
        for (const QVector<QVariant>& row : source.rows) {
            for (int i = 0; i < sourceColumns.size(); ++i)
                insert.bindValue(i, row[sourceColumns[i]]);
            if (!insert.exec()) {
                return QStringLiteral("Cannot copy table \"%1\": %2")
                    .arg(tableName, insert.lastError().databaseText().isEmpty()
                                        ? insert.lastError().text()
                                        : insert.lastError().databaseText());
            }
        }
    } else {
        // Not one field in common: keep the row count all the same, with every field missing.
        QSqlQuery insert(db);
        for (qsizetype i = 0; i < source.rows.size(); ++i) {
            if (!insert.exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tableName)))
                return QStringLiteral("Cannot copy table \"%1\": %2").arg(tableName, insert.lastError().text());
        }
    }
    summary.tables.append({tableName, int(source.rows.size())});
    return {};
}

void removeWithJournal(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

}  // namespace

QStringList ImportSummary::lines() const
{
    QStringList result;
    for (const auto& [table, rows] : tables)
        result << QStringLiteral("%1: %2 %3").arg(table).arg(rows).arg(rows == 1 ? "row" : "rows");
    if (!skippedFields.isEmpty())
        result << QStringLiteral("not copied (no such field in Tagwright): %1").arg(skippedFields.join(QStringLiteral(", ")));
    return result;
}

QString missingTables(const QString& path, const AccessContents& contents)
{
    QStringList found;
    for (const AccessTable& table : contents.tables)
        found << QStringLiteral("\"%1\"").arg(table.name);
    return QStringLiteral("The Access file %1holds neither the table \"Setup\" nor the tables "
                          "\"Labels\", \"Mechanics\" and \"CompanyInfo\" (it holds %2).")
        .arg(path.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) + u' ',
             found.isEmpty() ? QStringLiteral("no tables") : found.join(QStringLiteral(", ")));
}

DatabaseKind databaseKind(const AccessContents& contents)
{
    auto holdsAll = [&](const QStringList& tables) {
        for (const QString& table : tables) {
            if (!contents.table(table))
                return false;
        }
        return true;
    };
    if (holdsAll(schema::mainTables()))
        return DatabaseKind::Main;
    if (holdsAll(schema::setupTables()))
        return DatabaseKind::Setup;
    return DatabaseKind::Unknown;
}

WriteResult writeTagwrightDatabase(const AccessContents& contents, const QString& written,
                                   const QString& destination)
{
    WriteResult result;
    result.summary.kind = databaseKind(contents);
    if (result.summary.kind == DatabaseKind::Unknown) {
        result.error = missingTables(QString(), contents);
        return result;
    }
    // One line naming the file the user asked for, not the temporary name it is written under.
    const auto cannotWrite = [&](const QString& reason) {
        return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(destination), reason.trimmed());
    };
    const bool setup = result.summary.kind == DatabaseKind::Setup;
    store::Database db;
    if (store::StoreError error = db.create(written, setup ? schema::setupStatements() : schema::mainStatements());
        !error.ok()) {
        result.error = cannotWrite(error.message);
        removeWithJournal(written);
        return result;
    }
    QSqlDatabase& connection = db.connection();
    connection.transaction();
    for (const QString& table : requiredTables(result.summary.kind)) {
        const QString failure = copyTable(connection, *contents.table(table), table, result.summary);
        if (!failure.isEmpty()) {
            result.error = cannotWrite(failure);
            break;
        }
    }
    if (result.ok() && !connection.commit())
        result.error = cannotWrite(db.engineError(QStringLiteral("the engine refused the write")).message);
    if (!result.ok())
        connection.rollback();
    db.close();
    QString flushFailure;
    if (result.ok() && !placement::flushFile(written, &flushFailure))
        result.error = cannotWrite(flushFailure);
    if (!result.ok())
        removeWithJournal(written);
    return result;
}

WriteResult importAccessFile(const QString& source, const QString& target,
                             const std::function<void()>& readDone)
{
    WriteResult result;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() || targetInfo.isSymLink()) {
        result.error = QStringLiteral("%1 already exists; Tagwright writes a new file and never "
                                      "overwrites one.").arg(QDir::toNativeSeparators(targetInfo.absoluteFilePath()));
        return result;
    }
    if (!targetInfo.absoluteDir().exists()) {
        result.error = QStringLiteral("There is no folder %1.")
                           .arg(QDir::toNativeSeparators(targetInfo.absolutePath()));
        return result;
    }
    const AccessContents contents = readAccessFile(source);
    if (readDone)
        readDone();
    if (!contents.ok()) {
        result.error = contents.error;
        return result;
    }
    if (databaseKind(contents) == DatabaseKind::Unknown) {
        result.error = missingTables(source, contents);
        return result;
    }
    const QString written = placement::temporaryName(targetInfo.absolutePath(), targetInfo.fileName());
    result = writeTagwrightDatabase(contents, written, targetInfo.absoluteFilePath());
    if (result.ok() && !placement::placeNew(written, targetInfo.absoluteFilePath(), &result.error))
        QFile::remove(written);
    return result;
}

}  // namespace tagwright::legacy
