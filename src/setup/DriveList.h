#pragma once

#include <QComboBox>

#include <utility>

namespace tagwright::setup {

// The drives of the machine: the drive letters on Windows, the mounted volumes elsewhere
// ("/" first), then the user's home folder and Pictures folder, where a shop's logo usually
// is. Each entry holds its root folder in Qt's form.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    QString currentRoot() const;
    // Selects the drive holding `folder` (the one with the longest matching root) without
    // announcing a change; a folder on no listed drive leaves the selection as it is.
    void selectDriveOf(const QString& folder);

    static QStringList driveRoots();
    // The home and Pictures folders that exist, as (caption, folder).
    static QList<std::pair<QString, QString>> placeFolders();

Q_SIGNALS:
    // The user picked a drive.
    void driveChosen(const QString& root);
};

}  // namespace tagwright::setup
