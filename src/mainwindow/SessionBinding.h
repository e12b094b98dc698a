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

// Binds the card's controls to the card session: the three title boxes (views of the one
// title), the body box with its font, the logo, the six caption and six value boxes, the two
// options, the date box, the signatory list, the copies box and the skip cells. An edit in a
// box sets the session's value; a value set in the session is shown in its box without the
// box's change signals (it is no edit), and what the box then holds (a title cut to its
// length, the font the box could take) is the session's value. The copies box keeps its text
// as typed ("2.5") while the number read from it stays the session's; a click on a skip
// cell toggles the cell in the session.
class SessionBinding : public QObject {
    Q_OBJECT
public:
    SessionBinding(session::CardSession& session, const MainWindowControls& controls,
                   QObject* parent = nullptr);

private:
    void bindTitle();
    void bindBody();
    void bindValues();
    void bindOptions();
    void bindSignatory();
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
