#include "DataFolders.h"

#include "Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tagwright::store {

namespace {

QString cleanFolder(const QString& path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString perUserDataFolder()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

}  // namespace

QString DataLocation::setupPath() const
{
    return QDir::toNativeSeparators(QDir(setupFolder).filePath(schema::SetupFileName));
}

QString DataLocation::explanation() const
{
    switch (rule) {
    case Rule::SetupInWorkingFolder:
        return QStringLiteral("The working folder holds %1, so the program uses it.")
            .arg(schema::SetupFileName);
    case Rule::NotInstalled:
        return QStringLiteral("The program is not installed: it keeps %1 in the working folder.")
            .arg(schema::SetupFileName);
    case Rule::Installed:
        return QStringLiteral("The program is installed and the working folder holds no %1, so it "
                              "keeps its data in the per-user data folder.")
            .arg(schema::SetupFileName);
    }
    return {};
}

DataLocation decideDataLocation(const QString& workingFolder, const QString& programFolder)
{
    const bool installed = isInstalledProgram(programFolder);
    const QString homeOfInstalled = perUserDataFolder();
    const QString beside = QDir::toNativeSeparators(programFolder);
    if (QFileInfo::exists(QDir(workingFolder).filePath(schema::SetupFileName)))
        return {DataLocation::Rule::SetupInWorkingFolder, QDir::toNativeSeparators(workingFolder),
                installed ? homeOfInstalled : beside};
    if (!installed)
        return {DataLocation::Rule::NotInstalled, QDir::toNativeSeparators(workingFolder), beside};
    return {DataLocation::Rule::Installed, homeOfInstalled, homeOfInstalled};
}

bool isInstalledProgram(const QString& programFolder)
{
    // Root may write anywhere, so a system folder counts whatever its permissions say.
    const QString folder = cleanFolder(programFolder);
    for (const char* system : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        if (folder == cleanFolder(QLatin1String(system)))
            return true;
    }
    return !QFileInfo(programFolder).isWritable();
}

void nameTheProgram(QCoreApplication& app)
{
    app.setApplicationName(QStringLiteral("Tagwright"));
    app.setOrganizationName(QStringLiteral("Tagwright"));
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool isSameFolder(const QString& dataPath, const QString& folder)
{
    return cleanFolder(dataPath) == cleanFolder(folder);
}

}  // namespace tagwright::store
