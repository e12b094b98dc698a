#include "ExactFileName.h"

#include "Terminal.h"

#include <QFile>
#include <QUuid>

#include <fcntl.h>
#include <sys/stat.h>
#include <cstdio>
#include <unistd.h>

namespace tagwright::cli {

ExactFileName::ExactFileName(const QString& argument)
{
    const QByteArray bytes = encodeArgument(argument);
    m_bytes = bytes;
    if (QFile::encodeName(QFile::decodeName(bytes)) == bytes) {
        m_pathForQt = argument;
        return;
    }
    const qsizetype slash = bytes.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : bytes.left(slash);
    m_name = bytes.mid(slash + 1);
    m_folder = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0 || m_name.isEmpty())
        return;
    m_temporaryName = ".tagwright-" + QUuid::createUuid().toByteArray(QUuid::Id128) + ".tmp";
    m_pathForQt = QStringLiteral("/proc/self/fd/%1/%2").arg(m_folder).arg(QLatin1String(m_temporaryName));
}

ExactFileName::~ExactFileName()
{
    if (m_folder < 0)
        return;
    if (!m_committed)
        ::unlinkat(m_folder, m_temporaryName.constData(), 0);
    ::close(m_folder);
}

bool ExactFileName::isLink() const
{
    struct stat info {};
    return ::lstat(m_bytes.constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool ExactFileName::commit()
{
    if (m_folder < 0 || m_temporaryName.isEmpty())
        return true;
    if (::faccessat(m_folder, m_temporaryName.constData(), F_OK, 0) != 0)
        return true;  // nothing was written: no job reached the file
    if (isLink())
        return false;
    m_committed = ::renameat(m_folder, m_temporaryName.constData(), m_folder, m_name.constData()) == 0;
    return m_committed;
}

}  // namespace tagwright::cli
