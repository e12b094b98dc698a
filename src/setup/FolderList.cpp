#include "FolderList.h"

#include <QDir>
#include <QStyle>

namespace tagwright::setup {

namespace {

// Each parent from the root down to `folder`, as full paths in Qt's form.
QStringList chainTo(const QString& folder)
{
    QStringList chain;
    QDir dir(folder);
    chain.prepend(dir.absolutePath());
    while (!dir.isRoot() && dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString shownName(const QString& path)
{
    const QDir dir(path);
    return dir.isRoot() ? QDir::toNativeSeparators(path) : dir.dirName();
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(12);
    setExpandsOnDoubleClick(false);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString folder = item->data(0, Qt::UserRole).toString();
        if (folder == m_path)
            return;
        setPath(folder);
        Q_EMIT pathChanged(m_path);
    });
}

void FolderList::setPath(const QString& folder)
{
    m_path = QDir(folder).absolutePath();
    clear();
    QTreeWidgetItem* current = nullptr;
    for (const QString& step : chainTo(m_path))
        current = addEntry(current, step, true);
    const QDir dir(m_path);
    const QStringList inside =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : inside)
        addEntry(current, dir.absoluteFilePath(name), false);
    expandAll();
    setCurrentItem(current);
}

QTreeWidgetItem* FolderList::entryFor(const QString& folder)
{
    const QString wanted = QDir(folder).absolutePath();
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == wanted)
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem* FolderList::addEntry(QTreeWidgetItem* parent, const QString& path, bool open)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, shownName(path));
    item->setIcon(0, style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
    item->setData(0, Qt::UserRole, path);
    return item;
}

}  // namespace tagwright::setup
