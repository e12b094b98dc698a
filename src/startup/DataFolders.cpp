#include "DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tagwright::startup {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString defaultDataFolder(const QString& programFolder)
{
    if (QFileInfo(programFolder).isWritable())
        return QDir::toNativeSeparators(programFolder);
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(appData);
    return QDir::toNativeSeparators(appData);
}

bool isSameFolder(const QString& dataPath, const QString& folder)
{
    const auto normal = [](const QString& path) {
        const QFileInfo info(QDir::fromNativeSeparators(path));
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    return normal(dataPath) == normal(folder);
}

}  // namespace tagwright::startup
