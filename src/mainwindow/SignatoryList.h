#pragma once

#include <QObject>

class QComboBox;

namespace tagwright::mainwindow {

class MainWindow;

// The signatory list's two keyboard commands: Enter stores a typed name that is not yet
// known (or chooses the known one), the Delete key removes the chosen signatory once the user
// says so. The list and the "Mechanics" table always change together. While the text is
// being edited (the cursor inside it) Delete only deletes a character.
class SignatoryList : public QObject {
    Q_OBJECT
public:
    explicit SignatoryList(MainWindow& window);

    void AddSignatory();
    // True when the key was taken: the user answered the question about removing.
    bool DeleteSignatory();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void dropChoiceKeepingText(QComboBox* list);

    MainWindow& m_window;
};

}  // namespace tagwright::mainwindow
