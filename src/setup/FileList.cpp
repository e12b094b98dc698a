#include "FileList.h"

#include "LogoPaths.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tagwright::setup {

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setFolder(const QString& folder)
{
    m_folder = folder;
    clear();
    // Without QDir::CaseSensitive the name filters ignore letter case: "LOGO.BMP" and
    // "logo.bmp" are both offered.
    const QDir dir(folder);
    addItems(dir.entryList(logopaths::pictureNameFilters(), QDir::Files | QDir::Readable,
                           QDir::Name | QDir::IgnoreCase));
}

// Chosen only by a double click, never by the single click some styles use to activate an
// item: a single click must leave the path and the preview as they are.
void FileList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (itemAt(event->position().toPoint()))
        chooseCurrent();
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        chooseCurrent();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FileList::chooseCurrent()
{
    if (QListWidgetItem* item = currentItem())
        Q_EMIT fileChosen(item->text());
}

}  // namespace tagwright::setup
