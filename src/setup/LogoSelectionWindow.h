#pragma once

#include <QHash>
#include <QWidget>

class QLabel;
class QPushButton;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::setup {

class DriveList;
class FileList;
class FolderList;

// "Logo Selection": browse drives and folders for a picture file, preview it, and hand its
// path to the template on the card with "Save". Not modal; "Exit" (or Escape) closes it and
// forgets its selections.
class LogoSelectionWindow : public QWidget {
    Q_OBJECT
public:
    // `card` holds the template's logo path; `main` is the window it opens beside.
    LogoSelectionWindow(QWidget& main, session::CardSession& card);

    // Fills the window from the template's logo path. A path that no longer leads anywhere
    // readable opens the nearest folder that still exists, with an empty preview.
    void loadFromTemplate();

    DriveList* driveList() const { return m_drives; }
    FolderList* folderList() const { return m_folders; }
    FileList* fileList() const { return m_files; }
    QLabel* pathLabel() const { return m_pathLabel; }
    QLabel* preview() const { return m_preview; }

private:
    void build();
    void showFolder(const QString& folder);
    void forgetChoice();
    void onDriveChosen(const QString& root);
    void onFolderChanged(const QString& folder);
    void onFileChosen(const QString& fileName);
    void showPicture(const QString& path);
    void save();

    session::CardSession& m_card;
    DriveList* m_drives = nullptr;
    FolderList* m_folders = nullptr;
    FileList* m_files = nullptr;
    QLabel* m_pathLabel = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QHash<QString, QString> m_folderOnDrive;   // the last folder shown on each drive
};

}  // namespace tagwright::setup
