#pragma once

#include <QString>

// How the print jobs read the window's boxes.
namespace tagwright::printing::boxtext {

// The leading decimal number of a box: blanks skipped, an optional sign, digits with an
// optional fraction (".5" and "+5" read as 0.5 and 5), no exponent. No number reads 0.
double leadingNumber(const QString& text);

// Rounds to a whole number, ties to the even neighbour (201.5 -> 202, 202.5 -> 202).
double roundHalfEven(double value);

// An offset box's position adjustment in whole twips: its leading number, rounded half to even.
double offsetTwips(const QString& text);

// A caption, value or date is blank when it sorts at or before six spaces by character
// codes: empty, up to six spaces, or a control character among the first six positions.
bool isBlank(const QString& text);

}  // namespace tagwright::printing::boxtext
