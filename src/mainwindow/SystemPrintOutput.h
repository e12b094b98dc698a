#pragma once

#include "PrintOutput.h"

#include <QString>

#include <memory>

class QWidget;

namespace tagwright::printing {
class PrintTarget;
}

namespace tagwright::mainwindow {

// Prints where the user expects: the printer chosen with the printer set-up button, else the
// system's default printer. A machine with no printer at all still gets its labels: each
// command is written as a PDF file into the documents folder, and the user is told where.
class SystemPrintOutput : public PrintOutput {
public:
    // `window` holds the printer choice; `pdfFolder` is where labels go without a printer
    // (empty: "Tagwright labels" in the user's documents folder).
    explicit SystemPrintOutput(QWidget& window, QString pdfFolder = QString());
    ~SystemPrintOutput() override;

    std::unique_ptr<printing::PrinterSurface> open(QString* error) override;
    QString close(printing::PrinterSurface& surface) override;

    // A file name for one command's PDF: label-YYYYMMDD-HHMMSS.pdf, never an existing one.
    static QString pdfFileName(const QString& folder);

private:
    QWidget& m_window;
    QString m_pdfFolder;
    std::unique_ptr<printing::PrintTarget> m_target;
    QString m_pdfFile;  // set while a command prints to a PDF file
};

}  // namespace tagwright::mainwindow
