#pragma once

#include <QObject>

class QComboBox;
class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::store {
class SignatoryStore;
}

namespace tagwright::session {
struct MainState;
}

namespace tagwright::mainwindow {


// The signatory list's two keyboard commands: Enter stores a typed name that is not yet
// known (or chooses the known one), the Delete key removes the chosen signatory once the user
// says so. The list and the "Mechanics" table always change together. While the text is
// being edited (the cursor inside it) Delete only deletes a character.
class SignatoryList : public QObject {
    Q_OBJECT
public:
    // `window` is where the questions and messages are shown.
    SignatoryList(QComboBox* list, store::SignatoryStore& signatories, session::MainState& state,
                  ui::UserDialogs& dialogs, QWidget* window);

    void AddSignatory();
    // True when the key was taken: the user answered the question about removing.
    bool DeleteSignatory();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void dropChoiceKeepingText(QComboBox* list);

    QComboBox* m_list;
    store::SignatoryStore& m_signatories;
    session::MainState& m_state;
    ui::UserDialogs& m_dialogs;
    QWidget* m_window;
};

}  // namespace tagwright::mainwindow
