#pragma once

#include "session/WindowMode.h"

#include <QObject>

#include <map>
#include <vector>

class QAbstractButton;
class QAction;
class QWidget;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::mainwindow {

struct MainWindowControls;

// The window's commands as actions, shared by the button column and the menus. The mode of
// the card session decides which are enabled (session::isEnabled); each button, page zone
// and menu entry shows its action's state, so none of them keeps a list of its own.
// Triggering a button's action does what a mouse click on the button does: the focus moves
// to the button first, so a title or value box being left reacts as it would, then the
// click. Next and Previous are the page zones and the paging keys.
class CommandActions : public QObject {
    Q_OBJECT
public:
    CommandActions(session::CardSession& session, const MainWindowControls& controls,
                   QWidget* window);

    QAction* action(session::Command command) const { return m_actions.at(command); }
    QAction* next() const { return m_next; }
    QAction* previous() const { return m_previous; }
    QAction* printerSetup() const { return m_printerSetup; }
    QAction* about() const { return m_about; }

    // `action` is enabled exactly when `command` is (Print Preview and Export PDF follow Print).
    void follow(QAction* action, session::Command command);

private:
    QAction* addAction(const QString& text, const char* objectName, QAbstractButton* button);
    void apply();

    session::CardSession& m_session;
    const MainWindowControls& m_controls;
    QWidget* m_window;
    std::map<session::Command, QAction*> m_actions;
    std::map<session::Command, QAbstractButton*> m_buttons;
    std::vector<std::pair<QAction*, session::Command>> m_followers;
    QAction* m_next = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_printerSetup = nullptr;
    QAction* m_about = nullptr;
};

}  // namespace tagwright::mainwindow
