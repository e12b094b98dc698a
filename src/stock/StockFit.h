#pragma once

#include "printing/PrintRequest.h"

#include <QRectF>
#include <QString>

#include <array>

namespace tagwright::stock {

// What a printer prints of a US Letter sheet, and the print position adjustments that put
// each label into its die-cut there. Positions in twips; the printable area from the
// sheet's top left corner, as the print service gives it.
struct StockFit {
    QRectF printable;
    printing::PrintOffsets offsets;  // whole twips
};

// The whole sheet: what a PDF file printed at actual size ("no scaling") reaches. Its
// positions count from the paper's corner.
QRectF wholeSheet();

// The height the fit centres in a die-cut: an ordinary label from its top (company block or
// logo) to the foot of the signatory's name, with both header rows and an 11-line body in
// the default body font (8.25 points, printed at 10.25).
double ordinaryLabelHeight();

// The five adjustments for jobs whose positions count from `printable`'s corner: across,
// the rules' span is centred in each die-cut's width; down, an ordinary label in its height.
// Where the printer cannot print all of that place, the label moves just far enough to lie
// within what it can print.
StockFit fitToStock(const QRectF& printable);

// Where a label printed in `cell` (1 to 6) at `offsets` expects its die-cut, in the job's
// twips: where the fit puts the die-cut, moved by as much as the offsets differ from the
// fit's. Printed at the fitted offsets on a printer that prints where it says, it is the
// real die-cut.
QRectF expectedDieCut(const StockFit& fit, const printing::PrintOffsets& offsets, int cell);

// "top row 822, middle row 872, bottom row 922, left column 255, right column 335".
QString describeOffsets(const printing::PrintOffsets& offsets);
// The offsets as the setup panel's boxes show them and the shop record keeps them: top,
// middle and bottom row, left and right column.
std::array<QString, 5> offsetTexts(const printing::PrintOffsets& offsets);

// The adjustment of the row and of the column of `cell` (1 to 6).
double rowOffset(const printing::PrintOffsets& offsets, int cell);
double columnOffset(const printing::PrintOffsets& offsets, int cell);

}  // namespace tagwright::stock
