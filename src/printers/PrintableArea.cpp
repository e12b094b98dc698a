#include "PrintableArea.h"

#include "PrinterTarget.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace tagwright::printers {

namespace {

constexpr double TwipsPerPoint = 20;

QRectF inTwips(const QRectF& points)
{
    return QRectF(points.topLeft() * TwipsPerPoint, points.size() * TwipsPerPoint);
}

}  // namespace

QRectF letterPrintableArea(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return inTwips(QPageSize(QPageSize::Letter).rect(QPageSize::Point));
    // A printer of its own, set up as a laser job sets it up: the chosen one keeps its settings.
    QPrinter probe(QPrinterInfo(printer), QPrinter::HighResolution);
    PrinterTarget::applyLabelPage(probe, std::nullopt);
    return inTwips(probe.pageLayout().paintRect(QPageLayout::Point));
}

std::optional<QRectF> letterPrintableArea(const QString& name, QString& message,
                                          QString* printerName)
{
    const std::unique_ptr<QPrinter> printer = PrinterTarget::printerNamed(name, message);
    if (!printer)
        return std::nullopt;
    if (printerName)
        *printerName = printer->printerName();
    return letterPrintableArea(*printer);
}

}  // namespace tagwright::printers
