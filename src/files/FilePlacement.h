#pragma once

#include <QString>

// Every file the programs create goes through here. A shop folder is often shared by a group,
// where anyone may plant a symbolic link under a name the program is about to write; the
// kernel's link protection covers sticky world-writable folders only. So a file is never
// created through a name that already exists (a dangling link included): it is made
// exclusively under an unpredictable name in its target folder, written, forced to the disk
// and only then renamed into place.
namespace tagwright::files {

// A file being written for `target`, made with O_CREAT|O_EXCL|O_NOFOLLOW under a random
// name beside it (".NAME.XXXXXXXX.part"). It holds an advisory lock while it lives, which
// tells removeLeftovers() that a running program is still writing it. The destructor
// removes the file unless it was put in place.
//
// A file nothing needs to open by name (a PDF) is made Unnamed: with O_TMPFILE where the
// file system has it, so it never appears under any name until it is put in place and a
// writer that is killed leaves nothing. Elsewhere it is made as above, after the stale
// temporaries of its own pattern (older than an hour, held by nobody) are removed.
class NewFile {
public:
    enum class Naming { Named, Unnamed };

    explicit NewFile(const QString& target, Naming naming = Naming::Named);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool isOpen() const { return m_handle >= 0; }
    // Why the file could not be made or placed, in the file system's words, with the path.
    QString errorString() const { return m_error; }
    // Where to write: the temporary name (empty for a file without a name).
    QString path() const { return m_path; }
    QString target() const { return m_target; }
    // The open descriptor, for writers that take one (QFile::open(int, ...)).
    int handle() const { return m_handle; }

    // Forces the contents to the disk, after checking that the name still holds this very
    // file (nobody swapped a link in meanwhile).
    bool flush();
    // Puts the file in place under `target`, which must not exist under any form.
    bool placeNew();
    // Puts the file in place over `target`; a link there is refused, a plain file replaced.
    bool replace();
    // Keeps the existing `target` under `keptAs` (a new name, the same bytes), then swaps
    // this file in under the target's name. The original's bytes are never changed.
    bool replaceKeeping(const QString& keptAs);

private:
    void createNamed(const QString& folder, const QString& fileName);
    // Links a file without a name under a temporary one, from where it is placed as any other.
    bool giveName();
    bool fail(const QString& what, const QString& path);
    void release();

    QString m_target;
    QString m_path;
    QString m_error;
    int m_handle = -1;
    bool m_placed = false;
    bool m_unnamed = false;
};

// Empty when `path` may be written as the user named it; otherwise why not: a symbolic link
// there is refused (it would send the file elsewhere), never followed.
QString linkRefusal(const QString& path);

// Empty when the database at `path` may be opened; otherwise why not: a symbolic link at its
// name or at one of the journal names SQLite writes beside it ("-journal", "-wal", "-shm")
// would have the engine read and write another file than the one the folder shows.
QString databaseLinkRefusal(const QString& path);

// Forces the file's contents to the disk. False with `error` when it cannot.
bool flushFile(const QString& path, QString* error);

// Removes what interrupted writers of `target` left in its folder: temporaries of a NewFile
// whose lock no running program holds, with their SQLite journals, and the fixed-name
// leftovers of older versions (".NAME.PID-N.converting" of a process that is gone,
// "NAME.new"). Nothing else is touched. Returns how many names were removed.
int removeLeftovers(const QString& target);
// Removes the temporaries of `target`'s pattern older than `seconds` that nobody holds.
int removeStaleTemporaries(const QString& target, qint64 seconds);

// `path` + ".access", or with a number when that name is taken: "QUILLON.MDB.2.access".
QString keptOriginalName(const QString& path);

// "... : No space left on device" for the last failed system call.
QString systemError(const QString& what, const QString& path);

}  // namespace tagwright::files
