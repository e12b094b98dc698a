#include "FilePlacement.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tagwright::files {

namespace {

const QStringList JournalSuffixes = {QStringLiteral("-journal"), QStringLiteral("-wal"),
                                     QStringLiteral("-shm")};

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// A rename is only durable once the folder that holds it is on the disk.
void flushFolder(const QString& path)
{
    const int fd = ::open(native(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool isLink(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool nameExists(const QString& path)
{
    struct stat info {};
    return ::lstat(native(path).constData(), &info) == 0;
}

// Whether `path` names the very file open as `fd`, not a link or another file put there.
bool holdsFile(const QString& path, int fd)
{
    struct stat named {};
    struct stat open {};
    return ::lstat(native(path).constData(), &named) == 0 && ::fstat(fd, &open) == 0
        && S_ISREG(named.st_mode) && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

QString randomPart()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString part;
    for (int i = 0; i < 12; ++i)
        part += QLatin1Char(letters[QRandomGenerator::system()->bounded(36)]);
    return part;
}

bool copyFlushed(const QString& from, const QString& to, QString* error)
{
    // QFile::copy writes through a temporary of its own and refuses an existing target.
    if (!QFile::copy(from, to)) {
        *error = QStringLiteral("Cannot copy %1 to %2.").arg(shown(from), shown(to));
        return false;
    }
    if (!flushFile(to, error)) {
        QFile::remove(to);
        return false;
    }
    return true;
}

void removeWithJournals(const QString& path)
{
    ::unlink(native(path).constData());
    for (const QString& suffix : JournalSuffixes)
        ::unlink(native(path + suffix).constData());
}

// Removes the temporary at `path` when it is a plain file no running writer holds.
bool removeUnheld(const QString& path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool removed = false;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && holdsFile(path, fd)) {
        removeWithJournals(path);
        removed = true;
    }
    ::close(fd);
    return removed;
}

// Older versions held no lock of their own; a file SQLite holds a lock on is in use.
bool removeIfNoSqliteLock(const QString& path)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    const bool free = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type == F_UNLCK && holdsFile(path, fd);
    if (free)
        removeWithJournals(path);
    ::close(fd);
    return free;
}

bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

QString systemError(const QString& what, const QString& path)
{
    const int number = errno;
    return QStringLiteral("%1 %2: %3").arg(what, shown(path), QString::fromLocal8Bit(std::strerror(number)));
}

NewFile::NewFile(const QString& target, Naming naming) : m_target(QFileInfo(target).absoluteFilePath())
{
    const QFileInfo info(m_target);
    if (naming == Naming::Unnamed) {
        m_handle = ::open(native(info.absolutePath()).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
        if (m_handle >= 0) {
            m_unnamed = true;
            return;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            fail(QStringLiteral("Cannot create a file in"), info.absolutePath());
            return;
        }
        constexpr qint64 Hour = 3600;
        removeStaleTemporaries(m_target, Hour);
    }
    createNamed(info.absolutePath(), info.fileName());
}

void NewFile::createNamed(const QString& folderPath, const QString& fileName)
{
    const QDir folder(folderPath);
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = folder.filePath(QStringLiteral(".%1.%2.part").arg(fileName, randomPart()));
        const int fd = ::open(native(m_path).constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST || errno == ELOOP)
                continue;
            fail(QStringLiteral("Cannot create a file in"), folderPath);
            m_path.clear();
            return;
        }
        // Between the creation and the lock another program's clean-up may have taken the
        // name away; then start over under a new one.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && holdsFile(m_path, fd)) {
            m_handle = fd;
            return;
        }
        ::close(fd);
    }
    m_error = QStringLiteral("Cannot create a file in %1.").arg(shown(folderPath));
    m_path.clear();
}

bool NewFile::giveName()
{
    if (!m_unnamed)
        return true;
    const QFileInfo info(m_target);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_handle);
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_path = info.absoluteDir().filePath(QStringLiteral(".%1.%2.part").arg(info.fileName(), randomPart()));
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, native(m_path).constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_unnamed = false;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    const bool failed = fail(QStringLiteral("Cannot create a file in"), info.absolutePath());
    m_path.clear();
    return failed;
}

NewFile::~NewFile()
{
    if (!m_placed && !m_unnamed && m_handle >= 0 && holdsFile(m_path, m_handle))
        removeWithJournals(m_path);
    release();
}

void NewFile::release()
{
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}

bool NewFile::fail(const QString& what, const QString& path)
{
    m_error = systemError(what, path);
    return false;
}

bool NewFile::flush()
{
    if (m_handle < 0)
        return false;
    if (!m_unnamed && !holdsFile(m_path, m_handle)) {
        m_error = QStringLiteral("%1 was replaced by another program while it was being written.").arg(shown(m_path));
        return false;
    }
    if (::fsync(m_handle) != 0)
        return fail(QStringLiteral("Cannot write"), m_target);
    return true;
}

bool NewFile::placeNew()
{
    if (!flush())
        return false;
    if (m_unnamed) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_handle);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, native(m_target).constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_placed = true;
            flushFolder(m_target);
            release();
            return true;
        }
        if (errno == EEXIST) {
            m_error = isLink(m_target)
                ? QStringLiteral("%1 is a symbolic link; Tagwright does not write through one.").arg(shown(m_target))
                : QStringLiteral("%1 already exists.").arg(shown(m_target));
            return false;
        }
        if (!giveName())
            return false;
    }
    // A hard link refuses an existing target in one step, a dangling link included; where
    // hard links are not allowed (some shares) a check and a rename do.
    if (::link(native(m_path).constData(), native(m_target).constData()) == 0) {
        ::unlink(native(m_path).constData());
    } else if (errno == EEXIST || nameExists(m_target)) {
        m_error = isLink(m_target)
            ? QStringLiteral("%1 is a symbolic link; Tagwright does not write through one.").arg(shown(m_target))
            : QStringLiteral("%1 already exists.").arg(shown(m_target));
        return false;
    } else if (::rename(native(m_path).constData(), native(m_target).constData()) != 0) {
        return fail(QStringLiteral("Cannot create"), m_target);
    }
    m_placed = true;
    flushFolder(m_target);
    release();
    return true;
}

bool NewFile::replace()
{
    if (const QString refusal = linkRefusal(m_target); !refusal.isEmpty()) {
        m_error = refusal;
        return false;
    }
    if (!flush() || !giveName())
        return false;
    if (::rename(native(m_path).constData(), native(m_target).constData()) != 0) {
        fail(QStringLiteral("Cannot write"), m_target);
        ::unlink(native(m_path).constData());
        return false;
    }
    m_placed = true;
    flushFolder(m_target);
    release();
    return true;
}

bool NewFile::replaceKeeping(const QString& keptAs)
{
    if (const QString refusal = linkRefusal(m_target); !refusal.isEmpty()) {
        m_error = refusal;
        return false;
    }
    if (!flush() || !giveName())
        return false;
    if (::link(native(m_target).constData(), native(keptAs).constData()) != 0) {
        if (errno == EEXIST) {
            m_error = QStringLiteral("%1 already exists.").arg(shown(keptAs));
            return false;
        }
        if (!copyFlushed(m_target, keptAs, &m_error))
            return false;
    }
    flushFolder(keptAs);
    if (::rename(native(m_path).constData(), native(m_target).constData()) != 0) {
        fail(QStringLiteral("Cannot replace"), m_target);
        ::unlink(native(keptAs).constData());
        return false;
    }
    m_placed = true;
    flushFolder(m_target);
    release();
    return true;
}

QString linkRefusal(const QString& path)
{
    if (!isLink(path))
        return {};
    return QStringLiteral("%1 is a symbolic link; Tagwright does not write through one. Choose "
                          "another name, or remove the link.")
        .arg(shown(QFileInfo(path).absoluteFilePath()));
}

QString databaseLinkRefusal(const QString& path)
{
    for (const QString& suffix : QStringList{QString()} + JournalSuffixes) {
        if (isLink(path + suffix)) {
            return QStringLiteral("%1 is a symbolic link; Tagwright does not open a database through "
                                  "one. Put the file itself there, or remove the link.")
                .arg(shown(QFileInfo(path + suffix).absoluteFilePath()));
        }
    }
    return {};
}

bool flushFile(const QString& path, QString* error)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        *error = systemError(QStringLiteral("Cannot write"), path);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

int removeLeftovers(const QString& target)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    const QString name = QRegularExpression::escape(info.fileName());
    static const QString journals = QStringLiteral("(?:-journal|-wal|-shm)?");
    const QRegularExpression current(QStringLiteral("^\\.%1\\.[a-z0-9]{12}\\.part(%2)$").arg(name, journals));
    const QRegularExpression older(QStringLiteral("^\\.%1\\.(\\d+)-\\d+\\.converting(%2)$").arg(name, journals));
    const QString building = info.fileName() + QStringLiteral(".new");

    int removed = 0;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        const QString path = folder.filePath(entry);
        if (const auto match = current.match(entry); match.hasMatch()) {
            if (match.captured(1).isEmpty()) {
                removed += removeUnheld(path);
            } else if (!nameExists(path.chopped(match.capturedLength(1))) && !isLink(path)) {
                // A journal whose database is gone belongs to nobody.
                removed += ::unlink(native(path).constData()) == 0;
            }
        } else if (const auto old = older.match(entry); old.hasMatch()) {
            if (!isLink(path) && processIsGone(old.captured(1).toLongLong()))
                removed += ::unlink(native(path).constData()) == 0;
        } else if (entry == building) {
            removed += removeIfNoSqliteLock(path);
        }
    }
    return removed;
}

int removeStaleTemporaries(const QString& target, qint64 seconds)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    const QRegularExpression own(
        QStringLiteral("^\\.%1\\.[a-z0-9]{12}\\.part$").arg(QRegularExpression::escape(info.fileName())));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-seconds);
    int removed = 0;
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (own.match(entry.fileName()).hasMatch() && !entry.isSymLink()
            && entry.lastModified().toUTC() < before)
            removed += removeUnheld(entry.absoluteFilePath());
    }
    return removed;
}

QString keptOriginalName(const QString& path)
{
    QString candidate = path + QStringLiteral(".access");
    for (int n = 2; nameExists(candidate); ++n)
        candidate = QStringLiteral("%1.%2.access").arg(path).arg(n);
    return candidate;
}

}  // namespace tagwright::files
