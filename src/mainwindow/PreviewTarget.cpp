#include "PreviewTarget.h"

#include "printers/PrinterTarget.h"
#include "printing/PdfTarget.h"
#include "printing/PrinterError.h"
#include "stock/AlignmentSheet.h"

#include <QPrinter>

namespace tagwright::mainwindow {

using printing::PrinterError;
using printing::PrinterFailure;

PreviewTarget::PreviewTarget(QPrinter& printer) : m_printer(printer) {}

PreviewTarget::~PreviewTarget()
{
    finish();
}

QPaintDevice* PreviewTarget::device()
{
    return &m_printer;
}

QPainter& PreviewTarget::beginJob(const std::optional<QSizeF>& pageTwips)
{
    if (m_painter.isActive()) {
        newPage(pageTwips);
        return m_painter;
    }
    // A preview's printer takes its paper only before the session; the jobs of one command
    // all ask for the same paper, so the first job's request is the one that counts.
    if (m_printer.outputFormat() == QPrinter::NativeFormat)
        printers::PrinterTarget::applyLabelPage(m_printer, pageTwips);
    else if (pageTwips)
        m_printer.setPageSize(printing::pageSizeFromTwips(*pageTwips));
    if (!m_painter.begin(&m_printer)) {
        throw PrinterError(PrinterFailure, QStringLiteral("The printer \"%1\" cannot start a job.")
                                               .arg(m_printer.printerName()));
    }
    m_pages = 1;
    m_laserSheet = !pageTwips;
    drawDieCuts();
    return m_painter;
}

void PreviewTarget::newPage(const std::optional<QSizeF>&)
{
    if (!m_printer.newPage())
        throw PrinterError(PrinterFailure, QStringLiteral("Cannot start a new page."));
    ++m_pages;
    drawDieCuts();
}

// The page's origin is the printable area's corner, as for the jobs drawn on it.
void PreviewTarget::drawDieCuts()
{
    if (!m_dieCuts || !m_laserSheet)
        return;
    constexpr double TwipsPerPoint = 20;
    constexpr double TwipsPerInch = 1440;
    const QRectF points = m_printer.pageLayout().paintRect(QPageLayout::Point);
    stock::drawDieCuts(m_painter, QRectF(points.topLeft() * TwipsPerPoint, points.size() * TwipsPerPoint),
                       m_printer.logicalDpiX() / TwipsPerInch, m_printer.logicalDpiY() / TwipsPerInch);
}

void PreviewTarget::abortJob()
{
    m_printer.abort();
    if (m_painter.isActive())
        m_painter.end();
}

bool PreviewTarget::finish()
{
    return !m_painter.isActive() || m_painter.end();
}

}  // namespace tagwright::mainwindow
