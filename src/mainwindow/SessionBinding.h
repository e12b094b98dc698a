#pragma once

#include <QObject>

#include <functional>

#include <array>

class QLineEdit;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::mainwindow {

struct MainWindowControls;

// Binds the boxes that hold what the next label needs to the card session: the six caption
// and six value boxes, the two options, the date box, the signatory list, the copies box and
// the skip cells. An edit in a box sets the session's value; a value set in the session is
// shown in its box. The copies box keeps its text as typed ("2.5") while the number read
// from it stays the session's; a click on a skip cell toggles the cell in the session.
class SessionBinding : public QObject {
    Q_OBJECT
public:
    SessionBinding(session::CardSession& session, const MainWindowControls& controls,
                   QObject* parent = nullptr);

private:
    void bindValues();
    // Six boxes in header order, both ways.
    void bindLines(const std::array<QLineEdit*, 6>& boxes,
                   std::function<void(int, const QString&)> set,
                   std::function<QString(int)> get,
                   void (session::CardSession::*changed)(int));
    void bindPrintOptions();

    session::CardSession& m_session;
    const MainWindowControls& m_controls;
};

}  // namespace tagwright::mainwindow
