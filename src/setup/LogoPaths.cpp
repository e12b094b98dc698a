#include "LogoPaths.h"

#include <QDir>
#include <QFileInfo>

namespace tagwright::setup::logopaths {

QStringList pictureNameFilters()
{
    return {QStringLiteral("*.bmp"), QStringLiteral("*.wmf"), QStringLiteral("*.ico"),
            QStringLiteral("*.png"), QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
}

QString folderOf(const QString& logoPath)
{
    const QString path = QDir::fromNativeSeparators(logoPath);
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
    return separator < 0 ? QString() : path.left(separator + 1);
}

QString join(const QString& folder, const QString& fileName)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return QDir::toNativeSeparators(path + fileName);
}

QString nearestExistingFolder(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    QString path = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return {};
        path = parent;
    }
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace tagwright::setup::logopaths
