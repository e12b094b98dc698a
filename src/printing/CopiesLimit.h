#pragma once

#include <QString>

namespace tagwright::printing {

// More labels than this from one print command is a typing slip (an extra digit), not a
// print run: it would tie up the printer for hours. The window and `tagwright-cli` refuse it
// with the same words.
inline constexpr double MaxCopies = 999;
inline const QString TooManyCopiesMessage = QStringLiteral(
    "Copies of label must be 999 or fewer. Correct the number of copies to print.");
// The window's words for a copies box that would print nothing (0, empty, letters only,
// negative): its OK button otherwise closes the panel and nothing comes out.
inline const QString NoCopiesMessage = QStringLiteral("Copies must be a number from 1 to 999");

}  // namespace tagwright::printing
