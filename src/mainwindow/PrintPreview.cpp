#include "PrintPreview.h"

#include "LabelCopy.h"
#include "LabelSource.h"
#include "PreviewTarget.h"
#include "ui/PrinterChoice.h"
#include "ui/UserDialogs.h"

#include "printing/LabelPrinter.h"
#include "printing/RecordingSurface.h"

#include <QPageLayout>
#include <QPrinter>

#include <memory>

namespace tagwright::mainwindow {

namespace {

constexpr int TwipsPerInch = 1440;

// Without a chosen printer the preview stands for what Print does: the default printer, or
// with none installed the PDF file Print writes instead (letter paper to its edges, a dot
// a twip), so that the lines break where they will there.
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

PreviewPages renderLabelPages(const printing::PrintRequest& request, QPrinter& printer, bool dieCuts)
{
    PreviewTarget target(printer);
    if (dieCuts)
        target.showDieCuts();
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

bool previewAsksToPrint(QWidget& window, ui::UserDialogs& dialogs, const printing::PrintRequest& request)
{
    if (const QString refusal = previewRefusal(request); !refusal.isEmpty()) {
        dialogs.showMessage(&window, QMessageBox::Warning, QStringLiteral("Print Preview"), refusal);
        return false;
    }
    // The pages stand on the paper of the printer Print uses, when one was chosen.
    std::unique_ptr<QPrinter> fallback;
    QPrinter* printer = ui::PrinterChoice::of(window).chosenPrinter();
    if (!printer) {
        fallback = defaultPreviewPrinter();
        printer = fallback.get();
    }
    // The die-cuts show on the preview's pages only: its Print prints through the pipeline.
    return dialogs.previewAsksToPrint(&window, *printer, [&](QPrinter* target) {
        const PreviewPages rendered = renderLabelPages(request, *target, true);
        if (rendered.result.status == printing::PrintResult::Status::Failed) {
            dialogs.showMessage(&window, QMessageBox::Critical, QStringLiteral("Print Preview"),
                                rendered.result.message);
        }
    });
}

PrintPreview::PrintPreview(LabelSource& label, QObject* parent) : QObject(parent), m_label(label) {}

void PrintPreview::open()
{
    const store::Result<printing::PrintRequest> read = m_label.request();
    if (!read) {
        m_label.reportUnreadSettings(QStringLiteral("Print Preview"), read.error());
        return;
    }
    if (!previewAsksToPrint(*m_label.window(), m_label.dialogs(), *read))
        return;
    m_label.report(QStringLiteral("Print Preview"), m_label.print(*read, m_label.printOutput()));
}

}  // namespace tagwright::mainwindow
