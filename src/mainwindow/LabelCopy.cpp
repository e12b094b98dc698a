#include "LabelCopy.h"

#include "printing/LabelPrinter.h"
#include "printing/QtPrinterSurface.h"

namespace tagwright::mainwindow {

printing::PrintResult composeLabelCopy(const printing::PrintRequest& request, bool tractorStock,
                                       printing::PrintTarget& target)
{
    printing::QtPrinterSurface surface(target);
    printing::LabelPrinter printer;
    return printer.PrintLabels(surface, request, tractorStock);
}

}  // namespace tagwright::mainwindow
