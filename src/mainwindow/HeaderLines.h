#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::mainwindow {

struct MainWindowControls;

// The change reactions of the six header lines, the two label options and the body box,
// and Enter moving through the header values. A change made in a box (typing, a click, or
// code setting the box) enters editing, or, in the body, offers Save; a template shown by the
// card session reaches the boxes without passing through editing. Whatever set it, a
// caption shows or hides its value box, and the "Signed" option the signatory list. A check
// box set to the value it already shows changes nothing and runs nothing. A value box still
// holding the underscore run a print left in it takes the first key typed (or a paste) in
// its place.
class HeaderLines : public QObject {
    Q_OBJECT
public:
    HeaderLines(MainWindowControls& controls, session::CardSession& session,
                QObject* parent = nullptr);

    // A caption is blank, and its line unused, when it compares less than or equal to six
    // spaces by character codes: empty, spaces only, or anything below a space first.
    static bool isBlankCaption(const QString& caption);

    // Shows the value box of line `line` (0..5, header order) unless its caption is blank.
    void showValueBoxByCaption(int line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEdits();
    void connectEnterOrder();
    void showSignatoryByOption();
    void focusAfterValueBox(int line);

    MainWindowControls& m_controls;
    session::CardSession& m_session;
};

}  // namespace tagwright::mainwindow
