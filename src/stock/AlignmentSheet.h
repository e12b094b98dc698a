#pragma once

#include "StockFit.h"

#include "printing/PrintResult.h"

class QPainter;

namespace tagwright::printing {
class PrinterSurface;
}

namespace tagwright::stock {

// The alignment sheet: the six die-cut outlines as hairlines, each where a label printed at
// `offsets` expects its die-cut (expectedDieCut), with a small cross at each label's
// corners. One job on a US Letter sheet. Held against a sheet of labels it shows whether
// labels will land in them; nothing else is printed.
printing::PrintResult printAlignmentSheet(printing::PrinterSurface& surface, const StockFit& fit,
                                          const printing::PrintOffsets& offsets);

// The six die-cuts drawn over a page of a preview, where they lie on a sheet printed with
// `printable` (twips on the sheet) as its origin. `unitsPerTwip` converts to the painter's
// units. Only for looking: never on paper.
void drawDieCuts(QPainter& painter, const QRectF& printable, double unitsPerTwipX,
                 double unitsPerTwipY);

}  // namespace tagwright::stock
