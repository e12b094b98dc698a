#pragma once

#include "printjob/LabelOutput.h"

#include <QString>

#include <memory>

class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::printing {
class PrintTarget;
}

namespace tagwright::mainwindow {


// Prints where the user expects: the printer chosen with the printer set-up button, else the
// system's default printer. "Print to File" chosen there asks for the file at each print
// command, so no print replaces a file unasked. A machine with no printer at all still gets
// its labels: each command is written as a PDF file into the documents folder, and the user
// is told where.
class SystemPrintOutput : public printjob::LabelOutput {
public:
    // `window` holds the printer choice and parents the dialogs; `pdfFolder` is where labels
    // go without a printer (empty: "Tagwright labels" in the user's documents folder).
    SystemPrintOutput(QWidget& window, ui::UserDialogs& dialogs, QString pdfFolder = QString());
    ~SystemPrintOutput() override;

    store::Result<std::unique_ptr<printing::PrinterSurface>, printjob::OutputProblem>
    open(const QString& jobTitle) override;
    bool sendsWhileComposing() const override;
    QString complete(printing::PrinterSurface& surface) override;
    QString place() override;
    QString note() const override;
    QString destination() const override { return m_pdfFile.isEmpty() ? m_printerName : m_pdfFile; }

    // A file name for one command's PDF: label-YYYYMMDD-HHMMSS.pdf, never an existing one.
    static QString pdfFileName(const QString& folder);

private:
    std::unique_ptr<printing::PrintTarget> fileTarget(const QString& chosenFile);
    store::Result<std::unique_ptr<printing::PrintTarget>, printjob::OutputProblem> target(const QString& jobTitle);

    QWidget& m_window;
    ui::UserDialogs& m_dialogs;
    QString m_pdfFolder;
    std::unique_ptr<printing::PrintTarget> m_target;
    QString m_pdfFile;       // set while a command prints to a PDF file
    QString m_printerName;
    bool m_noPrinter = false;  // the PDF stands in for a printer the machine lacks
};

}  // namespace tagwright::mainwindow
