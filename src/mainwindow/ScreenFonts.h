#pragma once

namespace tagwright::mainwindow {

// Maps the Windows font names that templates and the window layout use ("MS Sans Serif",
// "Arial", ...) to their installed metric-compatible families, whatever fontconfig would
// pick on its own. Safe to call more than once.
void installScreenFontSubstitutions();

}  // namespace tagwright::mainwindow
