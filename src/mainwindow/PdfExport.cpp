#include "PdfExport.h"

#include "LabelCopy.h"
#include "LabelSource.h"
#include "PrintCommand.h"
#include "UserDialogs.h"

#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"
#include "printing/ValueRoom.h"
#include "files/FilePlacement.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tagwright::mainwindow {

namespace {

using Status = ExportResult::Status;

ExportResult failed(const QString& fileName, const QString& reason)
{
    return {Status::Failed, QStringLiteral("The PDF file %1 could not be written: %2")
                                .arg(QDir::toNativeSeparators(fileName), reason)};
}

// Copies the finished draft over the chosen file in one step.
ExportResult replaceWith(const QString& draft, const QString& fileName)
{
    if (const QString refusal = files::linkRefusal(fileName); !refusal.isEmpty())
        return {Status::Refused, refusal};
    QFile source(draft);
    if (!source.open(QIODevice::ReadOnly))
        return failed(fileName, source.errorString());
    files::NewFile written(fileName);
    if (!written.isOpen())
        return failed(fileName, written.errorString());
    QFile target;
    if (!target.open(written.handle(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return failed(fileName, target.errorString());
    if (target.write(source.readAll()) != source.size() || !target.flush())
        return failed(fileName, target.errorString());
    target.close();
    if (!written.replace())
        return failed(fileName, written.errorString());
    return {};
}

}  // namespace

PdfExport::PdfExport(const LabelSource& label, QObject* parent) : QObject(parent), m_label(label) {}

QString PdfExport::suggestedFileName(const QString& title, const QDate& date, const QString& folder)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString stem = title.trimmed();
    stem.replace(unsafe, QStringLiteral("-"));
    if (stem.isEmpty())
        stem = QStringLiteral("label");
    stem += QLatin1Char(' ') + date.toString(QStringLiteral("yyyy-MM-dd"));
    return QDir(folder).filePath(stem + QStringLiteral(".pdf"));
}

ExportResult PdfExport::writeLabel(const printing::PrintRequest& request, bool tractorStock,
                                   const QString& fileName)
{
    // The draft carries the chosen file's name: the writer titles the document after it.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return failed(fileName, scratch.errorString());
    const QString draft = scratch.filePath(QFileInfo(fileName).fileName());
    printing::PrintResult result;
    bool finished = false;
    bool started = false;
    {
        printing::PdfTarget target(draft);
        result = composeLabelCopy(request, tractorStock, target);
        started = target.started();
        finished = target.finish();
    }
    if (result.status == printing::PrintResult::Status::Refused)
        return {Status::Refused, result.message};
    if (result.status == printing::PrintResult::Status::Failed)
        return failed(fileName, result.message);
    if (!started) {
        return {Status::Nothing,
                QStringLiteral("There is nothing to export: the copies box reads no number above 0.")};
    }
    if (!finished)
        return failed(fileName, QStringLiteral("the PDF writer could not complete the file."));
    return replaceWith(draft, fileName);
}

void PdfExport::run()
{
    if (!m_label.mayPrint(m_label.request()))
        return;
    const printing::PrintRequest request = m_label.request();
    const bool tractor = m_label.tractorStock();
    {
        // Measured as the file will be: a PDF writer, which makes no file before a page.
        printing::PdfTarget measure{QString()};
        printing::QtPrinterSurface surface(measure);
        const QStringList overlong = printing::overlongValues(surface, request, tractor);
        if (!overlong.isEmpty() && !askToPrintOverlong(m_label.dialogs(), m_label.window(), overlong))
            return;
    }
    // The folder of the last export, while it is still there; else Documents. The file dialog
    // would otherwise open in the working folder, beside the program.
    QString folder = m_lastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString fileName = m_label.dialogs().saveFileName(
        m_label.window(), QStringLiteral("Export PDF"),
        suggestedFileName(m_label.title(), QDate::currentDate(), folder),
        QStringLiteral("PDF files (*.pdf)"));
    if (fileName.isEmpty())
        return;
    m_lastFolder = QFileInfo(fileName).absolutePath();
    // A name typed without the extension would give a file that nothing opens as a PDF.
    if (QFileInfo(fileName).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        fileName += QStringLiteral(".pdf");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ExportResult result = writeLabel(request, tractor, fileName);
    QApplication::restoreOverrideCursor();
    if (result.status == Status::Written) {
        printing::PrintResult written;
        written.jobsSent = 1;
        m_label.journalPrint(request, tractor, QFileInfo(fileName).absoluteFilePath(), written);
        return;
    }
    const QMessageBox::Icon icon = result.status == Status::Failed ? QMessageBox::Critical
                                                                   : QMessageBox::Warning;
    m_label.dialogs().showMessage(m_label.window(), icon, QStringLiteral("Export PDF"), result.message);
}

}  // namespace tagwright::mainwindow
