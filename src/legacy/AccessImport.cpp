#include "AccessImport.h"

#include "FilePlacement.h"

#include "store/Database.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlField>
#include <QSqlRecord>

namespace tagwright::legacy {

namespace schema = store::schema;

namespace {

QStringList requiredTables(DatabaseKind kind)
{
    return kind == DatabaseKind::Setup ? schema::setupTables() : schema::mainTables();
}

// The fields of Tagwright's table `tableName`, in their stored order.
QStringList tagwrightFields(const QString& tableName)
{
    for (const auto& layout : {schema::setupLayout(), schema::mainLayout()}) {
        for (const schema::TableLayout& table : layout) {
            if (table.name.compare(tableName, Qt::CaseInsensitive) != 0)
                continue;
            QStringList names;
            for (const schema::Column& column : table.columns)
                names << column.name;
            return names;
        }
    }
    return {};
}

// Copies one Access table into the Tagwright table of the same name, field by field, in
// stored order, through the store's own writer. Tagwright's fields the Access table lacks
// stay missing.
QString copyTable(store::StoreBackend& db, const AccessTable& source, const QString& tableName,
                  ImportSummary& summary)
{
    QStringList fields;
    QVector<int> sourceColumns;
    for (const QString& field : tagwrightFields(tableName)) {
        const int column = source.columnIndex(field);
        if (column < 0)
            continue;
        fields << field;
        sourceColumns << column;
    }
    for (const AccessColumn& column : source.columns) {
        if (!fields.contains(column.name, Qt::CaseInsensitive))
            summary.skippedFields << QStringLiteral("%1.%2").arg(source.name, column.name);
    }
    // Not one field in common keeps the row count all the same, with every field missing.
    for (const QVector<QVariant>& row : source.rows) {
        QSqlRecord record;
        for (int i = 0; i < sourceColumns.size(); ++i) {
            QSqlField field(fields[i], row[sourceColumns[i]].metaType());
            field.setValue(row[sourceColumns[i]]);
            record.append(field);
        }
        qint64 id = -1;
        if (const store::StoreError error = db.insert(tableName, record, id); !error.ok())
            return QStringLiteral("Cannot copy table \"%1\": %2").arg(tableName, error.message);
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
    QString failure;
    const store::StoreError copied = db.backend().inTransaction([&]() -> store::StoreError {
        for (const QString& table : requiredTables(result.summary.kind)) {
            failure = copyTable(db.backend(), *contents.table(table), table, result.summary);
            if (!failure.isEmpty())
                return {store::EngineFailure, failure, db.path()};
        }
        return {};
    });
    if (!copied.ok())
        result.error = cannotWrite(failure.isEmpty() ? copied.message : failure);
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
