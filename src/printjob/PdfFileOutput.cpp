#include "PdfFileOutput.h"

#include "files/FilePlacement.h"
#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"

#include <QDir>
#include <QFileInfo>

namespace tagwright::printjob {

PdfFileOutput::PdfFileOutput(QString fileName, QString writeAt)
    : m_fileName(std::move(fileName)), m_writeAt(writeAt.isEmpty() ? m_fileName : std::move(writeAt))
{
}

PdfFileOutput::~PdfFileOutput() = default;

store::Result<std::unique_ptr<printing::PrinterSurface>, OutputProblem>
PdfFileOutput::open(const QString&)
{
    if (const QString refusal = files::linkRefusal(m_fileName); !refusal.isEmpty())
        return OutputProblem{OutputProblem::Kind::Refused, refusal};
    m_target = std::make_unique<printing::PdfTarget>(m_writeAt);
    return std::unique_ptr<printing::PrinterSurface>(std::make_unique<printing::QtPrinterSurface>(*m_target));
}

QString PdfFileOutput::writeFailure(const QString& reason) const
{
    return QStringLiteral("The PDF file %1 could not be written: %2")
        .arg(QDir::toNativeSeparators(QFileInfo(m_fileName).absoluteFilePath()), reason);
}

QString PdfFileOutput::errorString() const
{
    return m_target ? m_target->errorString() : QString();
}

QString PdfFileOutput::complete(printing::PrinterSurface&)
{
    return m_target->complete() ? QString() : writeFailure(m_target->errorString());
}

QString PdfFileOutput::place()
{
    return m_target->place() ? QString() : writeFailure(m_target->errorString());
}

QString PdfFileOutput::destination() const
{
    return QFileInfo(m_fileName).absoluteFilePath();
}

}  // namespace tagwright::printjob
