#include "PdfTarget.h"

#include "PrinterError.h"

#include "files/FilePlacement.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>

#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>

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
    : m_fileName(fileName), m_writer(std::make_unique<QPdfWriter>(&m_file))
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
    // A new file that was not put in place removes itself.
    if (m_painter.isActive())
        m_painter.end();
}

QString PdfTarget::writeError() const
{
    if (m_file.error() != QFileDevice::NoError && m_file.errorString() != QLatin1String("Unknown error"))
        return m_file.errorString();
    // The writer's buffer may fail without a word of its own: a full file system is the
    // usual reason, and then its own words say so.
    struct statvfs space {};
    if (::statvfs(QFile::encodeName(QFileInfo(m_fileName).absolutePath()).constData(), &space) == 0
        && space.f_bavail == 0)
        return QString::fromLocal8Bit(std::strerror(ENOSPC));
    return m_file.error() != QFileDevice::NoError ? m_file.errorString()
                                                  : QStringLiteral("the PDF writer could not complete the file.");
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
    if (const QString refusal = files::linkRefusal(m_fileName); !refusal.isEmpty())
        throw PrinterError(PrinterFailure, refusal);
    m_written = std::make_unique<files::NewFile>(m_fileName, files::NewFile::Naming::Unnamed);
    if (!m_written->isOpen()
        || !m_file.open(m_written->handle(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        const QString reason = m_written->isOpen() ? m_file.errorString() : m_written->errorString();
        m_written.reset();
        throw PrinterError(PrinterFailure, QStringLiteral("Cannot write the PDF file %1: %2")
                                               .arg(QFileInfo(m_fileName).absoluteFilePath(), reason));
    }
    if (!m_painter.begin(m_writer.get())) {
        m_file.close();
        m_written.reset();
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
        throw PrinterError::fileFailure(QStringLiteral("Cannot write the PDF file %1: %2")
                                            .arg(QFileInfo(m_fileName).absoluteFilePath(), writeError()));
}

bool PdfTarget::complete()
{
    // Nothing printed, nothing to write: no file is made.
    if (!m_painter.isActive())
        return m_finished;
    const bool written = m_painter.end() && m_file.flush() && m_file.error() == QFileDevice::NoError;
    m_file.close();
    if (!written) {
        m_error = writeError();
        m_finished = false;
        m_written.reset();  // removes the file
    }
    return written;
}

bool PdfTarget::place()
{
    if (!m_written)
        return m_finished;
    m_finished = m_written->replace();
    if (!m_finished)
        m_error = m_written->errorString();
    m_written.reset();  // removes the file when it was not put in place
    return m_finished;
}

bool PdfTarget::finish()
{
    return complete() && place();
}

}  // namespace tagwright::printing
