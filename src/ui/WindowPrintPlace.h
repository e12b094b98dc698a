#pragma once

#include <QRectF>
#include <QString>

class QWidget;

namespace tagwright::ui {

// Where the window's Print puts labels, as the stock's fit sees it: the printer chosen with
// the printer set-up button, else the system's default printer, else PDF files (a machine
// without a printer gets its labels as PDF files, and so does "Print to File").
struct PrintPlace {
    QRectF printable;  // the part of a US Letter sheet it prints, twips from the corner
    QString name;      // "the printer "NAME"" or "PDF files printed at actual size"
};
PrintPlace windowPrintPlace(QWidget& window);

}  // namespace tagwright::ui
