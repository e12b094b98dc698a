#include "PrinterTarget.h"

#include "PrintService.h"

#include "printing/PdfTarget.h"
#include "printing/PrinterError.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

namespace tagwright::printers {

using printing::PrinterError;
using printing::PrinterFailure;

namespace {

// The property under which Qt's CUPS print engine keeps the options it sends with a job
// (name, value, name, value ...): the printer dialog's own choices are kept there too.
const auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

const QString DefaultJobTitle = QStringLiteral("Tagwright label");

// The printer's own paper of the size asked for: CUPS knows it by its name ("Letter"), and
// Qt knows its printable area only for the printer's own sizes. A driver may list one size
// under several names ("AnsiA" beside "Letter", each with its own printable area): the
// usual name wins.
QPageSize printersOwn(const QPrinter& printer, const QPageSize& wanted, const QString& usualName)
{
    const QList<QPageSize> sizes = QPrinterInfo(printer).supportedPageSizes();
    const QSizeF wantedPt = wanted.size(QPageSize::Point);
    std::optional<QPageSize> sameSize;
    for (const QPageSize& size : sizes) {
        // Not QPageSize::isEquivalentTo: it takes Letter in inches for another size than
        // the printer's Letter in points.
        const QSizeF pt = size.size(QPageSize::Point);
        if (qAbs(pt.width() - wantedPt.width()) >= 0.1 || qAbs(pt.height() - wantedPt.height()) >= 0.1)
            continue;
        if (size.key() == usualName)
            return size;
        if (!sameSize)
            sameSize = size;
    }
    return sameSize.value_or(wanted);
}

// "396", "217.5": CUPS reads custom sizes in points with as many decimals as given.
QString points(qreal value)
{
    return QString::number(value, 'g', 8);
}

}  // namespace

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
    printer->setDocName(DefaultJobTitle);
    return printer;
}

void PrinterTarget::setJobTitle(const QString& title)
{
    m_printer->setDocName(title.trimmed().isEmpty() ? DefaultJobTitle : title.trimmed());
}

QPaintDevice* PrinterTarget::device()
{
    return m_printer;
}

void PrinterTarget::applyPageSize(const std::optional<QSizeF>& pageTwips)
{
    applyLabelPage(*m_printer, pageTwips);
}

void PrinterTarget::applyLabelPage(QPrinter& printer, const std::optional<QSizeF>& pageTwips)
{
    // A job without a page size of its own is a laser sheet: US Letter, whatever paper the
    // printer would take by default (A4 in most of the world).
    const QPageSize wanted = pageTwips ? printing::pageSizeFromTwips(*pageTwips) : QPageSize(QPageSize::Letter);
    const QPageSize size = printersOwn(printer, wanted, QStringLiteral("Letter"));
    printer.setFullPage(false);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(size);
    // Qt starts every printer with 10 pt margins of its own, which moved each label 10 pt
    // right and down; the printer's printable area is the origin, nothing more.
    printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
    askForExactLength(printer, size);
}

// Qt sends the page size by its name, and names a custom size in whole points: the 217.5 pt
// tractor label would come out 217 pt long and creep by half a point a label. CUPS takes
// the exact size as a PageSize option.
void PrinterTarget::askForExactLength(QPrinter& printer, const QPageSize& size)
{
    QStringList options = printer.printEngine()->property(CupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < options.size();) {
        if (options[i] == QStringLiteral("PageSize"))
            options.remove(i, 2);
        else
            i += 2;
    }
    const QSizeF pt = size.size(QPageSize::Point);
    const bool own = !size.key().startsWith(QStringLiteral("Custom."));
    if (own || QPrinterInfo(printer).supportsCustomPageSizes()) {
        options << QStringLiteral("PageSize")
                << (own ? size.key()
                        : QStringLiteral("Custom.%1x%2").arg(points(pt.width()), points(pt.height())));
    }
    printer.printEngine()->setProperty(CupsOptions, options);
}

QPainter& PrinterTarget::beginJob(const std::optional<QSizeF>& pageTwips)
{
    m_submissionFailure.clear();
    const bool system = m_printer->outputFormat() == QPrinter::NativeFormat;
    if (system) {
        if (const QString refused = PrintService::refusal(m_printer->printerName()); !refused.isEmpty())
            throw PrinterError(PrinterFailure, refused);
        applyPageSize(pageTwips);
    }
    if (!m_painter.begin(m_printer)) {
        throw PrinterError(PrinterFailure,
                           QStringLiteral("The printer \"%1\" cannot start a job.")
                               .arg(m_printer->printerName()));
    }
    return m_painter;
}

void PrinterTarget::newPage(const std::optional<QSizeF>& pageTwips)
{
    if (m_printer->outputFormat() == QPrinter::NativeFormat)
        applyPageSize(pageTwips);
    if (!m_printer->newPage()) {
        throw PrinterError(PrinterFailure,
                           QStringLiteral("The printer \"%1\" cannot start a new page.")
                               .arg(m_printer->printerName()));
    }
}

void PrinterTarget::endJob()
{
    if (m_painter.isActive()) {
        if (!m_painter.end()) {
            m_submissionFailure = QStringLiteral("The printer \"%1\" did not take the job.")
                                      .arg(m_printer->printerName());
        } else if (m_printer->outputFormat() == QPrinter::NativeFormat) {
            m_submissionFailure = PrintService::submissionRefusal(m_printer->printerName());
        }
    }
    // The job is gone either way: asking again reports the same refusal.
    if (!m_submissionFailure.isEmpty())
        throw PrinterError(PrinterFailure, m_submissionFailure);
}

void PrinterTarget::abortJob()
{
    m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
}

}  // namespace tagwright::printers
