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
    : m_fileName(fileName), m_file(fileName), m_writer(std::make_unique<QPdfWriter>(&m_file))
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
    if (m_painter.isActive()) {
        m_painter.end();
        m_file.cancelWriting();
        m_file.commit();  // after cancelWriting(), only removes the temporary file
    }
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
    if (!m_file.open(QIODevice::WriteOnly)) {
        throw PrinterError(PrinterFailure, QStringLiteral("Cannot write the PDF file %1: %2")
                                               .arg(QFileInfo(m_fileName).absoluteFilePath(),
                                                    m_file.errorString()));
    }
    if (!m_painter.begin(m_writer.get())) {
        m_file.cancelWriting();
        m_file.commit();
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
        return m_finished;
    // commit() overlooks a failure of its own last flush (Qt 6.4), so the buffered tail is
    // flushed and checked first; on any write error the temporary file is removed instead
    // of renamed.
    if (!m_painter.end() || !m_file.flush()) {
        m_error = m_file.errorString();
        m_file.cancelWriting();
    }
    m_finished = m_file.commit();
    if (!m_finished && m_error.isEmpty())
        m_error = m_file.errorString();
    return m_finished;
}

}  // namespace tagwright::printing
