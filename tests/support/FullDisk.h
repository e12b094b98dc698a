#pragma once

#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <unistd.h>

namespace tagwright::test {

// A folder on a 16 KB memory file system, filled to the last byte by a hidden file
// that entries() leaves out, so that writing more fills the disk. Mounting needs root;
// `reason()` says why there is none. Unmounted when the test ends, whatever happened.
class FullDisk {
public:
    FullDisk()
    {
        if (geteuid() != 0) {
            m_reason = QStringLiteral("a full disk is made with mount, which needs root");
            return;
        }
        m_path = QDir(m_parent.path()).filePath(QStringLiteral("disk"));
        QDir().mkpath(m_path);
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                       QStringLiteral("-o"), QStringLiteral("size=16k"),
                                       QStringLiteral("tmpfs"), m_path})
            == 0;
        if (!m_mounted) {
            m_reason = QStringLiteral("mounting a small tmpfs failed");
            return;
        }
        QFile filler(file(FillerName));
        if (filler.open(QIODevice::WriteOnly)) {
            filler.write(QByteArray(16 * 1024, 'x'));  // as much as fits
            filler.close();
        }
    }
    ~FullDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_path});
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool ready() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const { return m_path; }
    QString file(const QString& name) const { return QDir(m_path).filePath(name); }
    QStringList entries() const
    {
        QStringList names =
            QDir(m_path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        names.removeAll(FillerName);
        return names;
    }

private:
    static inline const QString FillerName = QStringLiteral(".filler");

    TempFolder m_parent;
    QString m_path;
    QString m_reason;
    bool m_mounted = false;
};

}  // namespace tagwright::test
