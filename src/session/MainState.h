#pragma once

#include <QString>

namespace tagwright::session {

// The main window's window-wide variables, shared by its operations; the card session holds
// them.
struct MainState {
    int TabPos = 0;            // position 0..2 of the title tab on show
    bool NewLabel = false;     // the template on show was begun by New and is not stored yet
    QString FindText;          // the text of the last exact list search
    bool LogoPending = false;  // the logo window was opened since the last activation
};

}  // namespace tagwright::session
