#pragma once

#include <QTreeWidget>

namespace tagwright::setup {

// The folder list: the current folder under its parents, each open and indented a step
// deeper, then the folders inside it. A double click (or Enter) opens the folder under it.
class FolderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Lists `folder` without announcing a change. A folder that cannot be read lists no
    // folders inside it.
    void setPath(const QString& folder);
    // The entry that stands for `folder`, or null.
    QTreeWidgetItem* entryFor(const QString& folder);

Q_SIGNALS:
    // The user opened another folder.
    void pathChanged(const QString& folder);

private:
    QTreeWidgetItem* addEntry(QTreeWidgetItem* parent, const QString& path, bool open);

    QString m_path;
};

}  // namespace tagwright::setup
