#include "FilePlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace tagwright::legacy::placement {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString systemError(const QString& what, const QString& path)
{
    return QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(path),
                                           QString::fromLocal8Bit(std::strerror(errno)));
}

// A rename is only durable once the folder that holds it is on the disk.
void flushFolder(const QString& path)
{
    const int fd = ::open(native(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool copyFlushed(const QString& from, const QString& to, QString* error)
{
    if (!QFile::copy(from, to)) {
        *error = QStringLiteral("Cannot copy %1 to %2.").arg(QDir::toNativeSeparators(from),
                                                             QDir::toNativeSeparators(to));
        return false;
    }
    if (!flushFile(to, error)) {
        QFile::remove(to);
        return false;
    }
    return true;
}

}  // namespace

QString temporaryName(const QString& folder, const QString& finalName)
{
    const QDir dir(folder);
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral(".%1.%2-%3.converting")
                                 .arg(finalName)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(n);
        if (!QFileInfo::exists(dir.filePath(name)))
            return dir.filePath(name);
    }
}

bool flushFile(const QString& path, QString* error)
{
    const int fd = ::open(native(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        *error = systemError(QStringLiteral("Cannot write"), path);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

bool placeNew(const QString& written, const QString& target, QString* error)
{
    // A hard link refuses an existing target in one step; where links are not allowed
    // (some shares) a check and a rename do.
    if (::link(native(written).constData(), native(target).constData()) == 0) {
        ::unlink(native(written).constData());
    } else if (errno == EEXIST || QFileInfo::exists(target)) {
        *error = QStringLiteral("%1 already exists.").arg(QDir::toNativeSeparators(target));
        return false;
    } else if (::rename(native(written).constData(), native(target).constData()) != 0) {
        *error = systemError(QStringLiteral("Cannot create"), target);
        return false;
    }
    flushFolder(target);
    return true;
}

bool replaceKeeping(const QString& written, const QString& original, const QString& keptAs,
                    QString* error)
{
    if (::link(native(original).constData(), native(keptAs).constData()) != 0) {
        if (errno == EEXIST) {
            *error = QStringLiteral("%1 already exists.").arg(QDir::toNativeSeparators(keptAs));
            return false;
        }
        if (!copyFlushed(original, keptAs, error))
            return false;
    }
    flushFolder(keptAs);
    if (::rename(native(written).constData(), native(original).constData()) != 0) {
        *error = systemError(QStringLiteral("Cannot replace"), original);
        ::unlink(native(keptAs).constData());
        return false;
    }
    flushFolder(original);
    return true;
}

QString keptOriginalName(const QString& path)
{
    QString candidate = path + QStringLiteral(".access");
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = QStringLiteral("%1.%2.access").arg(path).arg(n);
    return candidate;
}

}  // namespace tagwright::legacy::placement
