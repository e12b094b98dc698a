#include "PrintPreview.h"

#include "LabelCopy.h"
#include "LabelSource.h"
#include "PreviewTarget.h"
#include "ui/PrinterChoice.h"
#include "ui/UserDialogs.h"

#include "printing/LabelPrinter.h"
#include "printing/RecordingSurface.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include <memory>

namespace tagwright::mainwindow {

namespace {

constexpr int TwipsPerInch = 1440;

// Without a chosen printer the preview stands for what Print does: the default printer, or
// with none installed the PDF file Print writes instead (letter paper to its edges, a dot
// a twip), so that the lines break where they will in that file.
std::unique_ptr<QPrinter> defaultPreviewPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Tagwright label"));
    if (printer->outputFormat() == QPrinter::PdfFormat) {
        printer->setResolution(TwipsPerInch);
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                           QMarginsF(0, 0, 0, 0)));
    }
    return printer;
}

}  // namespace

PreviewPages renderLabelPages(const printing::PrintRequest& request, QPrinter& printer)
{
    PreviewTarget target(printer);
    PreviewPages rendered;
    rendered.result = composeLabelCopy(request, target);
    if (!target.finish() && rendered.result.printed()) {
        rendered.result.status = printing::PrintResult::Status::Failed;
        rendered.result.message = QStringLiteral("The printer \"%1\" did not take the pages.")
                                      .arg(printer.printerName());
    }
    rendered.pages = target.pageCount();
    return rendered;
}

QString previewRefusal(const printing::PrintRequest& request)
{
    printing::RecordingSurface dryRun;
    printing::LabelPrinter printer;
    const printing::PrintResult result = printer.PrintLabels(dryRun, request);
    return result.status == printing::PrintResult::Status::Refused ? result.message : QString();
}

std::optional<QString> previewLabel(QWidget* window, ui::UserDialogs& dialogs,
                                    const printing::PrintRequest& input,
                                    printing::PrintResult& printed)
{
    // Printing from the preview goes where Print goes: the chosen printer when there is one.
    std::unique_ptr<QPrinter> fallback;
    QPrinter* printer = ui::PrinterChoice::of(*window).chosenPrinter();
    if (!printer) {
        fallback = defaultPreviewPrinter();
        printer = fallback.get();
    }
    QPrintPreviewDialog dialog(printer, window);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Qt's own size shows a sheet too small to read a label on.
    if (const QScreen* screen = window->screen())
        dialog.resize(screen->availableSize() * 0.9);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        const PreviewPages rendered = renderLabelPages(input, *target);
        printed = rendered.result;
        if (rendered.result.status == printing::PrintResult::Status::Failed) {
            dialogs.showMessage(window, QMessageBox::Critical,
                                         QStringLiteral("Print Preview"), rendered.result.message);
        }
    });
    // The dialog closes as accepted once its Print has printed (or, for a PDF printer, when
    // a file was named): the last paint was the printed one.
    const bool toFile = printer->outputFormat() == QPrinter::PdfFormat;
    if (dialog.exec() != QDialog::Accepted || (toFile && printer->outputFileName().isEmpty()))
        return std::nullopt;
    return toFile ? QFileInfo(printer->outputFileName()).absoluteFilePath() : printer->printerName();
}

PrintPreview::PrintPreview(const LabelSource& label, QObject* parent)
    : QObject(parent), m_label(label)
{
}

void PrintPreview::open()
{
    const store::Result<printing::PrintRequest> read = m_label.request();
    if (!read) {
        m_label.reportUnreadSettings(QStringLiteral("Print Preview"), read.error());
        return;
    }
    const printing::PrintRequest& request = *read;
    if (const QString refusal = previewRefusal(request); !refusal.isEmpty()) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Warning,
                                      QStringLiteral("Print Preview"), refusal);
        return;
    }
    printing::PrintResult printed;
    if (const std::optional<QString> where =
            previewLabel(m_label.window(), m_label.dialogs(), request, printed))
        m_label.journalPrint(request, *where, printed);
}

}  // namespace tagwright::mainwindow
