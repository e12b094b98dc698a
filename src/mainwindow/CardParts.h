#pragma once

class QWidget;

namespace tagwright::session {
struct MainState;
class CardSession;
}

namespace tagwright::store {
class TableCursor;
}

namespace tagwright::mainwindow {

struct MainWindowControls;
class UserDialogs;

// What the card's operations (display, paging, template editing) use of the window: its
// controls and window-wide variables, the card session, the templates cursor, the dialogs,
// and the window itself, which messages are shown over and whose keys page.
struct CardParts {
    MainWindowControls& controls;
    session::MainState& state;
    session::CardSession& session;
    store::TableCursor& templates;
    UserDialogs& dialogs;
    QWidget* window;
};

}  // namespace tagwright::mainwindow
