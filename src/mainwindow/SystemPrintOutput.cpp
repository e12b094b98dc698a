#include "SystemPrintOutput.h"

#include "ui/PrinterChoice.h"
#include "ui/UserDialogs.h"

#include "printers/PrinterTarget.h"
#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace tagwright::mainwindow {

SystemPrintOutput::SystemPrintOutput(QWidget& window, ui::UserDialogs& dialogs, QString pdfFolder)
    : m_window(window), m_dialogs(dialogs), m_pdfFolder(std::move(pdfFolder))
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

// "Print to File" from the printer set-up: the labels keep their own page size (Letter
// sheets, tractor pages), and the user says where each command's file goes. The file chosen
// in the set-up is offered while it does not exist yet; the save dialog asks before it
// replaces anything.
std::unique_ptr<printing::PrintTarget> SystemPrintOutput::fileTarget(const QString& chosenFile)
{
    QFileInfo chosen(chosenFile.isEmpty() ? QDir(m_pdfFolder).filePath(QStringLiteral("labels.pdf")) : chosenFile);
    const QString suggested = chosen.exists() ? pdfFileName(chosen.absolutePath()) : chosen.absoluteFilePath();
    m_pdfFile = m_dialogs.saveFileName(&m_window, QStringLiteral("Print to File"), suggested,
                                       QStringLiteral("PDF files (*.pdf)"));
    if (m_pdfFile.isEmpty())
        return nullptr;  // cancelled: nothing is printed and nothing is said
    return std::make_unique<printing::PdfTarget>(m_pdfFile);
}

store::Result<std::unique_ptr<printing::PrintTarget>, printjob::OutputProblem>
SystemPrintOutput::target(const QString& jobTitle)
{
    using printjob::OutputProblem;
    if (QPrinter* chosen = ui::PrinterChoice::of(m_window).chosenPrinter()) {
        if (chosen->outputFormat() == QPrinter::PdfFormat) {
            std::unique_ptr<printing::PrintTarget> file = fileTarget(chosen->outputFileName());
            if (!file)
                return OutputProblem{OutputProblem::Kind::Cancelled, {}};
            return file;
        }
        m_printerName = chosen->printerName();
        auto printer = std::make_unique<printers::PrinterTarget>(*chosen);
        printer->setJobTitle(jobTitle);
        return std::unique_ptr<printing::PrintTarget>(std::move(printer));
    }
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QString message;
        std::unique_ptr<QPrinter> printer = printers::PrinterTarget::printerNamed(QString(), message);
        if (!printer)
            return OutputProblem{OutputProblem::Kind::Failed, message};
        m_printerName = printer->printerName();
        auto target = std::make_unique<printers::PrinterTarget>(std::move(printer));
        target->setJobTitle(jobTitle);
        return std::unique_ptr<printing::PrintTarget>(std::move(target));
    }
    if (!QDir().mkpath(m_pdfFolder)) {
        return OutputProblem{OutputProblem::Kind::Failed,
                             QStringLiteral("No printer is installed, and the folder \"%1\" for PDF "
                                            "labels cannot be created.")
                                 .arg(QDir::toNativeSeparators(m_pdfFolder))};
    }
    m_noPrinter = true;
    m_pdfFile = pdfFileName(m_pdfFolder);
    return std::unique_ptr<printing::PrintTarget>(std::make_unique<printing::PdfTarget>(m_pdfFile));
}

store::Result<std::unique_ptr<printing::PrinterSurface>, printjob::OutputProblem>
SystemPrintOutput::open(const QString& jobTitle)
{
    m_pdfFile.clear();
    m_printerName.clear();
    m_noPrinter = false;
    m_target.reset();
    store::Result<std::unique_ptr<printing::PrintTarget>, printjob::OutputProblem> opened = target(jobTitle);
    if (!opened)
        return opened.error();
    m_target = std::move(*opened);
    return std::unique_ptr<printing::PrinterSurface>(std::make_unique<printing::QtPrinterSurface>(*m_target));
}

bool SystemPrintOutput::sendsWhileComposing() const
{
    return !dynamic_cast<printing::PdfTarget*>(m_target.get());
}

// The target stays until the next command: the surface that draws on it is dropped after
// the command.
QString SystemPrintOutput::complete(printing::PrinterSurface&)
{
    auto* pdf = dynamic_cast<printing::PdfTarget*>(m_target.get());
    if (!pdf || pdf->complete())
        return {};
    return QStringLiteral("The labels could not be written to %1: %2")
        .arg(QDir::toNativeSeparators(m_pdfFile), pdf->errorString());
}

QString SystemPrintOutput::place()
{
    auto* pdf = dynamic_cast<printing::PdfTarget*>(m_target.get());
    if (!pdf || pdf->place())
        return {};
    return QStringLiteral("The labels could not be written to %1: %2")
        .arg(QDir::toNativeSeparators(m_pdfFile), pdf->errorString());
}

QString SystemPrintOutput::note() const
{
    if (!dynamic_cast<printing::PdfTarget*>(m_target.get()))
        return {};
    const QString file = QDir::toNativeSeparators(m_pdfFile);
    return m_noPrinter ? QStringLiteral("No printer is installed. The labels were saved as\n%1").arg(file)
                       : QStringLiteral("The labels were saved as\n%1").arg(file);
}

}  // namespace tagwright::mainwindow
