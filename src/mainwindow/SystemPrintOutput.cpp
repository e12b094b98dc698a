#include "SystemPrintOutput.h"

#include "PrinterChoice.h"
#include "PrinterTarget.h"

#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace tagwright::mainwindow {

SystemPrintOutput::SystemPrintOutput(QWidget& window, QString pdfFolder)
    : m_window(window), m_pdfFolder(std::move(pdfFolder))
{
    if (m_pdfFolder.isEmpty()) {
        m_pdfFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                          .filePath(QStringLiteral("Tagwright labels"));
    }
}

SystemPrintOutput::~SystemPrintOutput() = default;

QString SystemPrintOutput::pdfFileName(const QString& folder)
{
    const QString stem = QStringLiteral("label-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = QDir(folder).filePath(stem + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = QDir(folder).filePath(QStringLiteral("%1-%2.pdf").arg(stem).arg(n));
    return name;
}

std::unique_ptr<printing::PrinterSurface> SystemPrintOutput::open(QString* error)
{
    m_pdfFile.clear();
    m_target.reset();
    if (QPrinter* chosen = PrinterChoice::of(m_window).chosenPrinter()) {
        m_target = std::make_unique<PrinterTarget>(*chosen);
    } else if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QString message;
        std::unique_ptr<QPrinter> printer = PrinterTarget::printerNamed(QString(), message);
        if (!printer) {
            *error = message;
            return nullptr;
        }
        m_target = std::make_unique<PrinterTarget>(std::move(printer));
    } else {
        if (!QDir().mkpath(m_pdfFolder)) {
            *error = QStringLiteral("No printer is installed, and the folder \"%1\" for PDF labels "
                                    "cannot be created.")
                         .arg(QDir::toNativeSeparators(m_pdfFolder));
            return nullptr;
        }
        m_pdfFile = pdfFileName(m_pdfFolder);
        m_target = std::make_unique<printing::PdfTarget>(m_pdfFile);
    }
    return std::make_unique<printing::QtPrinterSurface>(*m_target);
}

QString SystemPrintOutput::close(printing::PrinterSurface&)
{
    QString note;
    if (auto* pdf = dynamic_cast<printing::PdfTarget*>(m_target.get())) {
        const bool written = pdf->started() && pdf->finish();
        if (written) {
            note = QStringLiteral("No printer is installed. The labels were saved as\n%1")
                       .arg(QDir::toNativeSeparators(m_pdfFile));
        } else if (pdf->started()) {
            note = QStringLiteral("The labels could not be written to %1: %2")
                       .arg(QDir::toNativeSeparators(m_pdfFile), pdf->errorString());
        }
    }
    // The target stays until the next command: the surface that draws on it is dropped
    // after this call.
    return note;
}

}  // namespace tagwright::mainwindow
