#pragma once

#include <QString>

namespace tagwright::ui {

// Maps the Windows font names that templates and the window layout use ("MS Sans Serif",
// "Arial", ...) to their installed metric-compatible families, whatever fontconfig would
// pick on its own. Safe to call more than once.
void installScreenFontSubstitutions();

// The Windows name an installed family stands for ("Liberation Sans" -> "Arial"), so that
// templates keep the names shops' printers know; any other family as it is.
QString windowsFamilyName(const QString& installedFamily);

}  // namespace tagwright::ui
