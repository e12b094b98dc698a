#include "PdfExport.h"

#include "LabelSource.h"
#include "PrintCommand.h"
#include "ui/UserDialogs.h"

#include "printing/PdfTarget.h"
#include "printing/QtPrinterSurface.h"
#include "printing/ValueRoom.h"
#include "printjob/PdfFileOutput.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tagwright::mainwindow {

PdfExport::PdfExport(LabelSource& label, QObject* parent) : QObject(parent), m_label(label) {}

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

void PdfExport::run()
{
    store::Result<printing::PrintRequest> read = m_label.request();
    if (!read) {
        m_label.reportUnreadSettings(QStringLiteral("Export PDF"), read.error());
        return;
    }
    printing::PrintRequest& request = *read;
    if (!m_label.mayPrint(request))
        return;
    {
        // Measured as the file will be: a PDF writer, which makes no file before a page.
        printing::PdfTarget measure{QString()};
        printing::QtPrinterSurface surface(measure);
        const QStringList overlong = printing::overlongValues(surface, request);
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
    printjob::PdfFileOutput file(fileName);
    const printjob::PrintOutcome outcome = m_label.print(request, file);
    QApplication::restoreOverrideCursor();
    // A look at the label, not a print of it: the card's empty values stay empty.
    m_label.report(QStringLiteral("Export PDF"), outcome);
}

}  // namespace tagwright::mainwindow
