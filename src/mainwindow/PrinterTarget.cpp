#include "PrinterTarget.h"

#include "printing/PdfTarget.h"
#include "printing/PrinterError.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace tagwright::mainwindow {

using printing::PrinterError;
using printing::PrinterFailure;

PrinterTarget::PrinterTarget(QPrinter& printer) : m_printer(&printer) {}

PrinterTarget::PrinterTarget(std::unique_ptr<QPrinter> printer)
    : m_owned(std::move(printer)), m_printer(m_owned.get())
{
}

PrinterTarget::~PrinterTarget()
{
    if (m_painter.isActive())
        abortJob();
}

std::unique_ptr<QPrinter> PrinterTarget::printerNamed(const QString& name, QString& message)
{
    const bool byDefault = name.isEmpty() || name == QStringLiteral("default");
    const QPrinterInfo info = byDefault ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        message = byDefault ? QStringLiteral("The system has no default printer.")
                            : QStringLiteral("There is no printer named \"%1\".").arg(name);
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Tagwright label"));
    return printer;
}

QPaintDevice* PrinterTarget::device()
{
    return m_printer;
}

void PrinterTarget::applyPageSize(const std::optional<QSizeF>& pageTwips)
{
    // Unset, the paper chosen in the printer set-up stays.
    if (pageTwips)
        m_printer->setPageSize(printing::pageSizeFromTwips(*pageTwips));
}

QPainter& PrinterTarget::beginJob(const std::optional<QSizeF>& pageTwips)
{
    applyPageSize(pageTwips);
    if (!m_painter.begin(m_printer)) {
        throw PrinterError(PrinterFailure,
                           QStringLiteral("The printer \"%1\" cannot start a job.")
                               .arg(m_printer->printerName()));
    }
    return m_painter;
}

void PrinterTarget::newPage(const std::optional<QSizeF>& pageTwips)
{
    applyPageSize(pageTwips);
    if (!m_printer->newPage()) {
        throw PrinterError(PrinterFailure,
                           QStringLiteral("The printer \"%1\" cannot start a new page.")
                               .arg(m_printer->printerName()));
    }
}

void PrinterTarget::endJob()
{
    if (m_painter.isActive() && !m_painter.end()) {
        throw PrinterError(PrinterFailure, QStringLiteral("The printer \"%1\" did not take the job.")
                                               .arg(m_printer->printerName()));
    }
}

void PrinterTarget::abortJob()
{
    m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
}

}  // namespace tagwright::mainwindow
