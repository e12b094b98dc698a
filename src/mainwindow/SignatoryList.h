#pragma once

#include <QObject>

class QComboBox;

namespace tagwright::mainwindow {

class MainWindow;

// The signatory list's two keyboard commands: Enter stores a typed name that is not yet
// known (or chooses the known one), the Delete key removes the chosen signatory. The list and
// the "Mechanics" table always change together. Neither command takes the key away from the
// list's text field.
class SignatoryList : public QObject {
    Q_OBJECT
public:
    explicit SignatoryList(MainWindow& window);

    void AddSignatory();
    void DeleteSignatory();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void dropChoiceKeepingText(QComboBox* list);

    MainWindow& m_window;
};

}  // namespace tagwright::mainwindow
