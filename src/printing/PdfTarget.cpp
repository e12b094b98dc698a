#include "PdfTarget.h"

#include "PrinterError.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>

namespace tagwright::printing {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr double TwipsPerPoint = 20.0;

}  // namespace

QPageSize pageSizeFromTwips(const QSizeF& twips)
{
    const QPageSize letter(QPageSize::Letter);
    const QSizeF letterTwips = letter.size(QPageSize::Point) * TwipsPerPoint;
    if (qAbs(twips.width() - letterTwips.width()) < 1 && qAbs(twips.height() - letterTwips.height()) < 1)
        return letter;
    return QPageSize(twips / TwipsPerPoint, QPageSize::Point, QString(), QPageSize::ExactMatch);
}

PdfTarget::PdfTarget(const QString& fileName)
    : m_fileName(fileName), m_writer(std::make_unique<QPdfWriter>(fileName))
{
    m_writer->setResolution(TwipsPerInch);
    m_writer->setCreator(QStringLiteral("Tagwright"));
    m_writer->setTitle(QFileInfo(fileName).completeBaseName());
    // Label positions count from the printable area's corner; a PDF page is printable to
    // its edges, so the sheet's own corner is the origin.
    m_writer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0)));
}

PdfTarget::~PdfTarget()
{
    finish();
}

void PdfTarget::applyPageSize(const std::optional<QSizeF>& pageTwips)
{
    const QPageSize size = pageTwips ? pageSizeFromTwips(*pageTwips) : QPageSize(QPageSize::Letter);
    m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

QPainter& PdfTarget::beginJob(const std::optional<QSizeF>& pageTwips)
{
    if (m_started) {
        // Every further job of the command goes on fresh pages of the same file.
        newPage(pageTwips);
        return m_painter;
    }
    applyPageSize(pageTwips);
    // The writer only says that it failed; the file system says why.
    QFile probe(m_fileName);
    if (!probe.open(QIODevice::WriteOnly)) {
        throw PrinterError(PrinterFailure, QStringLiteral("Cannot write the PDF file %1: %2")
                                               .arg(QFileInfo(m_fileName).absoluteFilePath(),
                                                    probe.errorString()));
    }
    probe.close();
    if (!m_painter.begin(m_writer.get())) {
        throw PrinterError(PrinterFailure,
                           QStringLiteral("Cannot write the PDF file %1.")
                               .arg(QFileInfo(m_fileName).absoluteFilePath()));
    }
    m_started = true;
    return m_painter;
}

void PdfTarget::newPage(const std::optional<QSizeF>& pageTwips)
{
    applyPageSize(pageTwips);
    if (!m_writer->newPage())
        throw PrinterError(PrinterFailure, QStringLiteral("Cannot start a new PDF page."));
}

bool PdfTarget::finish()
{
    // Nothing printed, nothing to write: no file is made.
    if (!m_painter.isActive())
        return true;
    return m_painter.end();
}

}  // namespace tagwright::printing
