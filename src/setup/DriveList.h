#pragma once

#include <QComboBox>

namespace tagwright::setup {

// The drives of the machine: the drive letters on Windows, the mounted volumes elsewhere
// ("/" first). Each entry holds its root folder in Qt's form.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    QString currentRoot() const;
    // Selects the drive holding `folder` (the one with the longest matching root) without
    // announcing a change; a folder on no listed drive leaves the selection as it is.
    void selectDriveOf(const QString& folder);

    static QStringList driveRoots();

Q_SIGNALS:
    // The user picked a drive.
    void driveChosen(const QString& root);
};

}  // namespace tagwright::setup
