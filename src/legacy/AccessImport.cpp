#include "AccessImport.h"

#include "store/Database.h"
#include "files/FilePlacement.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

bool fits(schema::ColumnType expected, AccessColumn::Kind kind)
{
    using Kind = AccessColumn::Kind;
    switch (expected) {
    case schema::ColumnType::Text: return kind == Kind::Text || kind == Kind::Memo;
    case schema::ColumnType::Real: return kind == Kind::Single || kind == Kind::Double;
    case schema::ColumnType::Integer:
        return kind == Kind::Boolean || kind == Kind::Byte || kind == Kind::Integer || kind == Kind::LongInteger;
    }
    return false;
}

QString typeName(schema::ColumnType type)
{
    switch (type) {
    case schema::ColumnType::Text: return QStringLiteral("text");
    case schema::ColumnType::Real: return QStringLiteral("a number");
    case schema::ColumnType::Integer: return QStringLiteral("a whole number");
    }
    return {};
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

}  // namespace

QString contentsMismatch(const QString& path, const AccessContents& contents)
{
    const auto damaged = [&](const QString& what) {
        return QStringLiteral("The Access file %1 cannot be read: the file is damaged (%2).")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), what);
    };
    for (const auto& layout : {schema::setupLayout(), schema::mainLayout()}) {
        for (const schema::TableLayout& expected : layout) {
            const AccessTable* table = contents.table(expected.name);
            if (!table)
                continue;
            for (const schema::Column& column : expected.columns) {
                const int index = table->columnIndex(column.name);
                if (index >= 0 && !fits(column.type, table->columns[index].kind)) {
                    return damaged(QStringLiteral("table \"%1\", column \"%2\" should hold %3")
                                       .arg(table->name, column.name, typeName(column.type)));
                }
            }
        }
    }
    if (const AccessTable* labels = contents.table(schema::LabelsTable)) {
        const int title = labels->columnIndex(schema::labels::Description);
        // The earlier program's engine kept each title once, in any letter case.
        QHash<QString, qsizetype> seen;
        for (qsizetype row = 0; title >= 0 && row < labels->rows.size(); ++row) {
            const QVariant value = labels->rows[row][title];
            const QString text = value.toString();
            if (text.size() > schema::TitleLength) {
                return damaged(QStringLiteral("table \"%1\", row %2: the title \"%3...\" is longer than %4 characters")
                                   .arg(labels->name).arg(row + 1).arg(text.left(schema::TitleLength)).arg(schema::TitleLength));
            }
            if (value.isNull())
                continue;
            if (const auto first = seen.constFind(text.toCaseFolded()); first != seen.constEnd()) {
                return damaged(QStringLiteral("table \"%1\", row %2: the title \"%3\" is row %4's title "
                                              "again, which the earlier program never stored")
                                   .arg(labels->name).arg(row + 1).arg(text).arg(*first + 1));
            }
            seen.insert(text.toCaseFolded(), row);
        }
    }
    // The earlier program filled DataPath in at its first start and never emptied it: a
    // missing, empty or garbled one is damage, not a choice.
    if (const AccessTable* setup = contents.table(schema::SetupTable); setup && !setup->rows.isEmpty()) {
        const int column = setup->columnIndex(schema::setup::DataPath);
        const QVariant value = column < 0 ? QVariant() : setup->rows.first()[column];
        if (value.isNull() || value.toString().isEmpty() || hasControlCharacter(value.toString()))
            return damaged(QStringLiteral("table \"%1\", row 1: DataPath cannot be read").arg(setup->name));
    }
    return {};
}

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

WriteResult writeTagwrightDatabase(const AccessContents& contents, files::NewFile& written)
{
    WriteResult result;
    result.summary.kind = databaseKind(contents);
    if (result.summary.kind == DatabaseKind::Unknown) {
        result.error = missingTables(QString(), contents);
        return result;
    }
    // One line naming the file the user asked for, not the temporary name it is written under.
    const auto cannotWrite = [&](const QString& reason) {
        return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(written.target()), reason.trimmed());
    };
    if (!written.isOpen()) {
        result.error = written.errorString();
        return result;
    }
    const bool setup = result.summary.kind == DatabaseKind::Setup;
    QString failure;
    store::Database db;
    const store::StoreError built = db.build(
        written, setup ? schema::setupStatements() : schema::mainStatements(),
        [&](store::Database& building) {
            return building.backend().inTransaction([&]() -> store::StoreError {
                for (const QString& table : requiredTables(result.summary.kind)) {
                    failure = copyTable(building.backend(), *contents.table(table), table, result.summary);
                    if (!failure.isEmpty())
                        return {store::EngineFailure, failure, building.path()};
                }
                return {};
            });
        });
    if (!built.ok())
        result.error = cannotWrite(failure.isEmpty() ? built.message : failure);
    return result;
}

WriteResult importAccessFile(const QString& source, const QString& target,
                             const std::function<void()>& readDone)
{
    WriteResult result;
    const QFileInfo targetInfo(target);
    if (const QString refusal = files::linkRefusal(target); !refusal.isEmpty()) {
        result.error = refusal;
        return result;
    }
    if (targetInfo.exists()) {
        result.error = QStringLiteral("%1 already exists; Tagwright writes a new file and never "
                                      "overwrites one.").arg(QDir::toNativeSeparators(targetInfo.absoluteFilePath()));
        return result;
    }
    if (!targetInfo.absoluteDir().exists()) {
        result.error = QStringLiteral("There is no folder %1.")
                           .arg(QDir::toNativeSeparators(targetInfo.absolutePath()));
        return result;
    }
    files::removeLeftovers(targetInfo.absoluteFilePath());
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
    if (result.error = contentsMismatch(source, contents); !result.ok())
        return result;
    files::NewFile written(targetInfo.absoluteFilePath());
    result = writeTagwrightDatabase(contents, written);
    if (result.ok() && !written.placeNew())
        result.error = written.errorString();
    return result;
}

}  // namespace tagwright::legacy
