#pragma once

#include <QObject>

namespace tagwright::session {
class CardSession;
}

namespace tagwright::mainwindow {

struct MainWindowControls;

// Binds the boxes that hold what the next label needs besides the template to the card
// session: the six value boxes, the date box, the signatory list, the copies box and the
// skip cells. An edit in a box sets the session's value; a value set in the session is
// shown in its box. The copies box keeps its text as typed ("2.5") while the number read
// from it stays the session's; a click on a skip cell toggles the cell in the session.
class SessionBinding : public QObject {
    Q_OBJECT
public:
    SessionBinding(session::CardSession& session, const MainWindowControls& controls,
                   QObject* parent = nullptr);

private:
    void bindValues();
    void bindPrintOptions();

    session::CardSession& m_session;
    const MainWindowControls& m_controls;
};

}  // namespace tagwright::mainwindow
