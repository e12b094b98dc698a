#include "WindowPrintPlace.h"

#include "PrinterChoice.h"

#include "printers/PrintableArea.h"
#include "stock/StockFit.h"

#include <QPrinter>

namespace tagwright::ui {

PrintPlace windowPrintPlace(QWidget& window)
{
    const PrintPlace pdf{stock::wholeSheet(), QStringLiteral("PDF files printed at actual size")};
    if (const QPrinter* chosen = PrinterChoice::of(window).chosenPrinter()) {
        if (chosen->outputFormat() != QPrinter::NativeFormat)
            return pdf;
        return {printers::letterPrintableArea(*chosen),
                QStringLiteral("the printer \"%1\"").arg(chosen->printerName())};
    }
    QString message;
    QString name;
    if (const std::optional<QRectF> area = printers::letterPrintableArea(QString(), message, &name))
        return {*area, QStringLiteral("the printer \"%1\"").arg(name)};
    return pdf;
}

}  // namespace tagwright::ui
