#pragma once

#include <QListWidget>

namespace tagwright::setup {

// The picture files of one folder. A click only marks a name; a double click or Enter
// chooses it.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    QString folder() const { return m_folder; }
    void setFolder(const QString& folder);

Q_SIGNALS:
    void fileChosen(const QString& fileName);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void chooseCurrent();

    QString m_folder;
};

}  // namespace tagwright::setup
