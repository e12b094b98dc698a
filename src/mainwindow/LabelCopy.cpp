#include "LabelCopy.h"

#include "printing/LabelPrinter.h"
#include "printing/QtPrinterSurface.h"

namespace tagwright::mainwindow {

printing::PrintResult composeLabelCopy(const printing::PrintRequest& request,
                                       printing::PrintTarget& target)
{
    printing::QtPrinterSurface surface(target);
    printing::LabelPrinter printer;
    return printer.PrintLabels(surface, request);
}

}  // namespace tagwright::mainwindow
