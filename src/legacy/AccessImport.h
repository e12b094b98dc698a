#pragma once

#include "AccessReader.h"

#include <QString>
#include <QStringList>

namespace tagwright::files {
class NewFile;
}

namespace tagwright::legacy {

// Which of the shop's two databases an Access file holds.
enum class DatabaseKind { Unknown, Setup, Main };

// What a copy wrote: each table with its row count, in the order written, and the Access
// fields that have no place in Tagwright's tables (left behind, named so nobody wonders).
struct ImportSummary {
    DatabaseKind kind = DatabaseKind::Unknown;
    QVector<QPair<QString, int>> tables;
    QStringList skippedFields;

    QStringList lines() const;   // "Labels: 11 rows" ...
};

// The setup file holds "Setup"; the main file holds "Labels", "Mechanics" and "CompanyInfo".
DatabaseKind databaseKind(const AccessContents& contents);
// Says which tables were looked for and which `path` holds.
QString missingTables(const QString& path, const AccessContents& contents);

// Empty when what was read fits what the shop's tables hold; otherwise one line naming the
// file, the table and the row or column that does not: a column of the wrong type, a title
// longer than a title can be, a setup record whose DataPath cannot be read.
QString contentsMismatch(const QString& path, const AccessContents& contents);

struct WriteResult {
    QString error;    // with the path concerned; empty on success
    ImportSummary summary;

    bool ok() const { return error.isEmpty(); }
};

// Writes the rows read from an Access file into `written`, a new file not yet in place, with
// the same tables, fields, values and row order, in one transaction, flushed to the disk.
// A message names the file it is meant to become.
WriteResult writeTagwrightDatabase(const AccessContents& contents, files::NewFile& written);

// `tagwright-cli import-access`: reads `source`, writes it under a temporary name beside
// `target`, then puts it in place; `target` must not exist. `readDone` runs after the
// reading, before the first write.
WriteResult importAccessFile(const QString& source, const QString& target,
                             const std::function<void()>& readDone = {});

}  // namespace tagwright::legacy
