#include "LabelCopy.h"

#include "printing/LabelPrinter.h"
#include "printing/QtPrinterSurface.h"

namespace tagwright::mainwindow {

printing::PrintResult composeLabelCopy(const printing::LabelSnapshot& window, bool tractorStock,
                                       printing::PrintTarget& target)
{
    printing::QtPrinterSurface surface(target);
    printing::LabelPrinter printer;
    return tractorStock ? printer.PrintTractorLabel(surface, window)
                        : printer.PrintLaserLabels(surface, window);
}

}  // namespace tagwright::mainwindow
