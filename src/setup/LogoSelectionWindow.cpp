#include "LogoSelectionWindow.h"

#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "LogoPaths.h"
#include "LogoPreview.h"

#include "ui/FormLayout.h"
#include "ui/WindowKeys.h"
#include "ui/ProgramWindows.h"
#include "ui/Twips.h"
#include "session/CardSession.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace tagwright::setup {

using ui::twipsRect;

LogoSelectionWindow::LogoSelectionWindow(QWidget& main, session::CardSession& card)
    : QWidget(&main, Qt::Window), m_card(card)
{
    ui::nameWidget(this, {"logoWindow", "PictureView1"});
    setWindowTitle(QStringLiteral("Logo Selection"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Activating the main window from here reloads only its logo.
    ui::markAsWindowOfProgram(this);
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPointSizeF(8.25);
    setFont(windowFont);
    build();
    showFolder(QDir::currentPath());
}

void LogoSelectionWindow::build()
{
    setFixedSize(twipsRect(0, 0, 6900, 3900).size());
    m_drives = new DriveList(this);
    ui::nameWidget(m_drives, {"driveList", "Drive1"});
    m_drives->setGeometry(twipsRect(120, 120, 2400, 315));
    m_folders = new FolderList(this);
    ui::nameWidget(m_folders, {"folderList", "Dir1"});
    m_folders->setGeometry(twipsRect(120, 495, 2400, 3285));
    m_files = new FileList(this);
    ui::nameWidget(m_files, {"fileList", "File1"});
    m_files->setGeometry(twipsRect(2640, 120, 2400, 3000));
    m_pathLabel = new QLabel(this);
    ui::nameWidget(m_pathLabel, {"logoPathLabel", "Label1"});
    m_pathLabel->setGeometry(twipsRect(2640, 3180, 4140, 600));
    m_pathLabel->setWordWrap(true);
    m_pathLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pathLabel->setTextFormat(Qt::PlainText);
    m_preview = new QLabel(this);
    ui::nameWidget(m_preview, {"logoPreview", "Image3"});
    m_preview->setGeometry(twipsRect(5580, 120, 780, 780));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setLineWidth(1);
    m_preview->setScaledContents(true);
    m_saveButton = new QPushButton(QStringLiteral("Save"), this);
    ui::nameWidget(m_saveButton, {"logoSaveButton", "Command3D2"});
    m_saveButton->setGeometry(twipsRect(5160, 1080, 1620, 420));
    m_exitButton = new QPushButton(QStringLiteral("Exit"), this);
    ui::nameWidget(m_exitButton, {"logoExitButton", "Command3D1"});
    m_exitButton->setGeometry(twipsRect(5160, 1620, 1620, 420));

    connect(m_drives, &DriveList::driveChosen, this, &LogoSelectionWindow::onDriveChosen);
    connect(m_folders, &FolderList::pathChanged, this, &LogoSelectionWindow::onFolderChanged);
    connect(m_files, &FileList::fileChosen, this, &LogoSelectionWindow::onFileChosen);
    connect(m_saveButton, &QPushButton::clicked, this, &LogoSelectionWindow::save);
    connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
    ui::cancelOnEscape(this, [this] { close(); });
}

void LogoSelectionWindow::loadFromTemplate()
{
    const QString logoPath = m_card.logo();
    const QString folder = logopaths::folderOf(logoPath);
    if (!folder.isEmpty()) {
        const QString shown = logopaths::nearestExistingFolder(folder);
        showFolder(shown.isEmpty() ? QDir::currentPath() : shown);
    }
    m_pathLabel->setText(logoPath);
    // A path with no folder in it would be looked up in whatever the working folder is.
    if (!folder.isEmpty())
        showPicture(logoPath);
}

// Lists `folder` on its drive with nothing chosen.
void LogoSelectionWindow::showFolder(const QString& folder)
{
    m_drives->selectDriveOf(folder);
    m_folders->setPath(folder);
    onFolderChanged(m_folders->path());
}

void LogoSelectionWindow::forgetChoice()
{
    m_pathLabel->clear();
    m_preview->clear();
}

void LogoSelectionWindow::onDriveChosen(const QString& root)
{
    m_folders->setPath(m_folderOnDrive.value(root, root));
    onFolderChanged(m_folders->path());
}

void LogoSelectionWindow::onFolderChanged(const QString& folder)
{
    m_folderOnDrive.insert(m_drives->currentRoot(), folder);
    m_files->setFolder(folder);
    forgetChoice();
}

void LogoSelectionWindow::onFileChosen(const QString& fileName)
{
    const QString path = logopaths::join(m_files->folder(), fileName);
    m_pathLabel->setText(path);
    showPicture(path);
}

void LogoSelectionWindow::showPicture(const QString& path)
{
    const QImage picture = readLogoPicture(path);
    if (picture.isNull())
        m_preview->clear();
    else
        m_preview->setPixmap(QPixmap::fromImage(picture));
}

// The template takes the path only when it is saved; an empty path removes its logo.
void LogoSelectionWindow::save()
{
    m_card.setLogo(m_pathLabel->text());
}

}  // namespace tagwright::setup
