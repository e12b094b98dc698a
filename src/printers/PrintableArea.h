#pragma once

#include <QRectF>
#include <QString>

#include <optional>

class QPrinter;

namespace tagwright::printers {

// The part of a US Letter sheet that jobs on `printer` can print, in twips from the sheet's
// top left corner, as the print service gives it for the printer's own Letter paper. A
// system printer's jobs count their positions from its corner (PrinterTarget::applyLabelPage);
// a printer that writes PDF files reaches the whole sheet.
QRectF letterPrintableArea(const QPrinter& printer);

// The same for the printer named `name`; an empty name or "default" is the system's default
// printer, whose own name goes into `printerName`. Nothing, with `message` saying why, when
// there is no such printer.
std::optional<QRectF> letterPrintableArea(const QString& name, QString& message,
                                          QString* printerName = nullptr);

}  // namespace tagwright::printers
