#pragma once

#include "StoreBackend.h"
#include "StoreError.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tagwright::files {
class NewFile;
}

namespace tagwright::store {

// One open database: a file, or a database on a server. Each instance owns its own connection,
// so several files (and several opens of one file, as tests do) can be open at once.
class Database {
public:
    enum class Access { ReadWrite, ReadOnly };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file and checks that it is a database holding every table in
    // `requiredTables` (names compared without regard to letter case). A missing file is
    // an error: SQLite would otherwise create an empty one and hide a wrong path.
    // ReadOnly refuses every write with the engine's own message (tests use it to stand for
    // a file on a read-only share). A hot journal left by a program that stopped mid-write
    // is rolled back first, which needs a connection that may write; where none can be had
    // the error says what happened and what to do.
    StoreError open(const QString& path, const QStringList& requiredTables,
                    Access access = Access::ReadWrite);

    // Opens a database on a server (see ServerAddress); with `createTables`, the tables of
    // the main database that the server does not hold yet are created first. `answerLimit`
    // (milliseconds) shortens the wait for each answer, 0 keeping the usual one.
    StoreError openServer(const QString& dataPath, const QStringList& requiredTables,
                          bool createTables, int answerLimit = 0);

    // The main database a setup record's DataPath names: "QUILLON.MDB" in that folder, or a
    // database server. On a server the tables are created on first use (unless ReadOnly);
    // a file gets the tables it lacks (the journal's) on an open that may write.
    StoreError openMain(const QString& dataPath, Access access = Access::ReadWrite);

    // Creates a new file holding the given schema statements, then opens it. The file is
    // built under a temporary name in the same folder (with `fill`, when given, run on it
    // there) and renamed into place only when complete: a crash meanwhile leaves either no
    // file or a whole one. A link at `path`, even a dangling one, is refused.
    StoreError create(const QString& path, const QStringList& schemaStatements,
                      const std::function<StoreError(Database&)>& fill = {});

    // Builds a database in `file` (made by the caller, not yet in place): the schema, then
    // `fill`; closed and flushed to the disk at the end. The caller puts it in place.
    StoreError build(files::NewFile& file, const QStringList& schemaStatements,
                     const std::function<StoreError(Database&)>& fill = {});

    // Whether the file at `path` is one that an interrupted creation left behind: empty, or
    // a database without a single table. Such a file holds nothing to lose.
    static bool isUnfinishedCreation(const QString& path);
    // Removes the file at `path` with its journal files.
    static bool removeFiles(const QString& path);

    // How the open database was opened: called on another Database, it opens a connection of
    // its own to the same database (a writer on a thread of its own uses this, since a
    // connection serves one thread). Empty while nothing is open.
    using Opener = std::function<StoreError(Database&)>;
    Opener opener() const { return m_openAgain; }

    void close();
    bool isOpen() const { return m_backend != nullptr; }
    // The file's path (or the server's name), as messages show it.
    QString path() const { return m_path; }
    // The engine the cursors work through; only while open.
    StoreBackend& backend() { return *m_backend; }

    bool hasTable(const QString& table);
    // As hasTable(), with the error when the question got no answer.
    StoreError findTable(const QString& table, bool& found);

private:
    StoreError openFile(const QString& path, const QStringList& requiredTables, Access access,
                        bool addMissingTables);
    static StoreError checkTablesOf(StoreBackend& backend, const QStringList& requiredTables);
    StoreError rollBackHotJournal(const QString& path);

    std::unique_ptr<StoreBackend> m_backend;
    QString m_path;
    Opener m_openAgain;
};

}  // namespace tagwright::store
