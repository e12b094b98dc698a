#pragma once

#include <QString>
#include <QtGlobal>

namespace tagwright::session {

// The main window's window-wide variables, shared by its operations; the card session holds
// them.
struct MainState {
    qint16 TabPos = 0;        // position 0..2 of the title tab on show
    qint16 NewLabel = 0;      // 1 while the current template was begun by add-new, unsaved
    QString FindText;         // the text of the last exact list search
    qint16 LogoPending = 0;   // 1 after the logo window was opened, until the next activation
};

}  // namespace tagwright::mainwindow
