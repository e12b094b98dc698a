#pragma once

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace tagwright::test {

// The shop's Access files kept with the tests, each with the rows it holds as JSON.
inline QString legacyFile(const QString& name)
{
    return QDir(QStringLiteral(TAGWRIGHT_LEGACY_DATA)).filePath(name);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The "tables" object of a file's .expected.json.
inline QJsonObject expectedTables(const QString& baseName)
{
    const QJsonDocument doc =
        QJsonDocument::fromJson(fileBytes(legacyFile(baseName + QStringLiteral(".expected.json"))));
    return doc.object().value(QStringLiteral("tables")).toObject();
}

// The shop's main file converted together with its setup file: every value arrives as it
// was, but the shop's phone, which becomes the one the setup panel showed ("(555) 987-6543").
inline QJsonObject expectedShopTables()
{
    QJsonObject tables = expectedTables(QStringLiteral("shop-access2000"));
    QJsonObject company = tables.value(QStringLiteral("CompanyInfo")).toObject();
    QJsonArray rows = company.value(QStringLiteral("rows")).toArray();
    QJsonObject first = rows.first().toObject();
    first.insert(QStringLiteral("CompanyPhone"), QStringLiteral("(555) 987-6543"));
    rows.replace(0, first);
    company.insert(QStringLiteral("rows"), rows);
    tables.insert(QStringLiteral("CompanyInfo"), company);
    return tables;
}

// One stored value against its JSON value: null stays missing, booleans and integers keep
// their value, singles their exact value, text every character.
inline void expectSameValue(const QVariant& stored, const QJsonValue& expected, const std::string& where)
{
    switch (expected.type()) {
    case QJsonValue::Null:
        EXPECT_TRUE(stored.isNull()) << where << " should be missing, is " << stored.toString().toStdString();
        break;
    case QJsonValue::Bool:
        ASSERT_FALSE(stored.isNull()) << where;
        EXPECT_EQ(stored.toBool(), expected.toBool()) << where;
        break;
    case QJsonValue::Double:
        ASSERT_FALSE(stored.isNull()) << where;
        EXPECT_EQ(float(stored.toDouble()), float(expected.toDouble())) << where;
        EXPECT_EQ(stored.toDouble(), double(float(expected.toDouble()))) << where;
        break;
    case QJsonValue::String:
        ASSERT_FALSE(stored.isNull()) << where << " should be \"" << expected.toString().left(40).toStdString() << "\"";
        EXPECT_EQ(stored.toString(), expected.toString()) << where;
        break;
    default:
        ADD_FAILURE() << where << ": unexpected JSON value";
    }
}

// Opens a Tagwright database and compares every table, row and field with the JSON, in
// stored order, through the store's own cursors.
inline void expectDatabaseMatches(const QString& path, const QJsonObject& tables)
{
    store::Database db;
    const store::StoreError error = db.open(path, tables.keys(), store::Database::Access::ReadOnly);
    ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    for (auto table = tables.begin(); table != tables.end(); ++table) {
        const QJsonObject expected = table.value().toObject();
        const QJsonArray rows = expected.value(QStringLiteral("rows")).toArray();
        store::TableCursor cursor;
        ASSERT_TRUE(cursor.open(db, table.key()).ok());
        ASSERT_EQ(cursor.recordCount(), rows.size()) << table.key().toStdString();
        cursor.moveFirst();
        for (qsizetype r = 0; r < rows.size(); ++r, cursor.moveNext()) {
            const QJsonObject row = rows[r].toObject();
            for (const QJsonValue& column : expected.value(QStringLiteral("columns")).toArray()) {
                const QString name = column.toObject().value(QStringLiteral("name")).toString();
                expectSameValue(cursor.value(name), row.value(name),
                                QStringLiteral("%1 row %2 %3").arg(table.key()).arg(r).arg(name).toStdString());
            }
        }
    }
}

// One run of tagwright-cli as a separate process, as the window and scripts run it.
struct CliRun {
    bool finished = false;
    bool crashed = false;
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList& arguments, const QString& workingFolder = QString(),
                     int timeoutMs = 30000)
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(TAGWRIGHT_CLI), arguments);
    CliRun run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The names in a folder, hidden ones included: a failed run must leave nothing behind.
inline QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace tagwright::test
