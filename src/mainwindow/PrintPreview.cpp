#include "PrintPreview.h"

#include "LabelCopy.h"
#include "LabelSource.h"
#include "PreviewTarget.h"
#include "PrinterChoice.h"
#include "UserDialogs.h"

#include "printing/LabelPrinter.h"
#include "printing/RecordingSurface.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPaintEngine>
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

PreviewPages renderLabelPages(const printing::PrintRequest& request, bool tractorStock,
                              QPrinter& printer, bool dieCuts)
{
    PreviewTarget target(printer);
    if (dieCuts)
        target.showDieCuts();
    PreviewPages rendered;
    rendered.result = composeLabelCopy(request, tractorStock, target);
    if (!target.finish() && rendered.result.printed()) {
        rendered.result.status = printing::PrintResult::Status::Failed;
        rendered.result.message = QStringLiteral("The printer \"%1\" did not take the pages.")
                                      .arg(printer.printerName());
    }
    rendered.pages = target.pageCount();
    return rendered;
}

QString previewRefusal(const printing::PrintRequest& request, bool tractorStock)
{
    printing::RecordingSurface dryRun;
    printing::LabelPrinter printer;
    const printing::PrintResult result = printer.PrintLabels(dryRun, request, tractorStock);
    return result.status == printing::PrintResult::Status::Refused ? result.message : QString();
}

std::optional<QString> previewLabel(QWidget* window, UserDialogs& dialogs,
                                    const printing::PrintRequest& input,
                                    bool tractorStock, printing::PrintResult& printed)
{
    // Printing from the preview goes where Print goes: the chosen printer when there is one.
    std::unique_ptr<QPrinter> fallback;
    QPrinter* printer = PrinterChoice::of(*window).chosenPrinter();
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
        // The dialog paints its pages through a picture engine; printing from it, through the
        // printer's own: the die-cuts go only onto the former.
        const bool onScreen = target->paintEngine() && target->paintEngine()->type() == QPaintEngine::Picture;
        const PreviewPages rendered = renderLabelPages(input, tractorStock, *target, onScreen);
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
    const printing::PrintRequest request = m_label.request();
    const bool tractorStock = m_label.tractorStock();
    if (const QString refusal = previewRefusal(request, tractorStock); !refusal.isEmpty()) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Warning,
                                      QStringLiteral("Print Preview"), refusal);
        return;
    }
    printing::PrintResult printed;
    if (const std::optional<QString> where =
            previewLabel(m_label.window(), m_label.dialogs(), request, tractorStock, printed))
        m_label.journalPrint(request, tractorStock, *where, printed);
}

}  // namespace tagwright::mainwindow
