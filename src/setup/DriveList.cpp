#include "DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace tagwright::setup {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

bool holds(const QString& root, const QString& folder)
{
    if (!folder.startsWith(root, PathCase))
        return false;
    // "/media/usb" holds "/media/usb/logos", not "/media/usb2".
    return root.endsWith(QLatin1Char('/')) || folder.size() == root.size()
        || folder.at(root.size()) == QLatin1Char('/');
}

}  // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    for (const QString& root : driveRoots())
        addItem(QDir::toNativeSeparators(root), root);
    for (const auto& [caption, folder] : placeFolders())
        addItem(QStringLiteral("%1 (%2)").arg(caption, QDir::toNativeSeparators(folder)), folder);
    connect(this, &QComboBox::activated, this, [this] { Q_EMIT driveChosen(currentRoot()); });
}

QStringList DriveList::driveRoots()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        roots << drive.absolutePath();
#else
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    roots.removeAll(QStringLiteral("/"));
    roots.sort();
    roots.prepend(QStringLiteral("/"));
#endif
    return roots;
}

QList<std::pair<QString, QString>> DriveList::placeFolders()
{
    QList<std::pair<QString, QString>> places;
    const QString home = QDir::cleanPath(QDir::homePath());
    if (QFileInfo(home).isDir())
        places.append({QStringLiteral("Home folder"), home});
    const QString pictures =
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    if (!pictures.isEmpty() && pictures != home && QFileInfo(pictures).isDir())
        places.append({QStringLiteral("Pictures"), pictures});
    return places;
}

QString DriveList::currentRoot() const
{
    return currentData().toString();
}

void DriveList::selectDriveOf(const QString& folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    int best = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (holds(root, path) && (best < 0 || root.size() > itemData(best).toString().size()))
            best = i;
    }
    if (best >= 0)
        setCurrentIndex(best);
}

}  // namespace tagwright::setup
