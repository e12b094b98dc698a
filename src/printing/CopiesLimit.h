#pragma once

#include <QString>

namespace tagwright::printing {

// More labels than this from one print command is a typing slip (an extra digit), not a
// print run: it would tie up the printer for hours. The window and `tagwright-cli` refuse it
// with the same words.
inline constexpr double MaxCopies = 999;
inline const QString TooManyCopiesMessage = QStringLiteral(
    "Copies of label must be 999 or fewer. Correct the number of copies to print.");

}  // namespace tagwright::printing
