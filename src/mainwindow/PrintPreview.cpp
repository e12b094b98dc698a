#include "PrintPreview.h"

#include "LabelCopy.h"
#include "MainWindow.h"
#include "PreviewTarget.h"
#include "PrintCommand.h"
#include "PrinterChoice.h"
#include "UserDialogs.h"
#include "WindowSnapshot.h"

#include "printing/LabelPrinter.h"
#include "printing/RecordingSurface.h"

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

PreviewPages renderLabelPages(const printing::PrintRequest& request, bool tractorStock,
                              QPrinter& printer)
{
    PreviewTarget target(printer);
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

PrintPreview::PrintPreview(MainWindow& window) : QObject(&window), m_window(window) {}

void PrintPreview::open()
{
    m_snapshot = takeSnapshot(m_window);
    m_tractorStock = m_window.printCommand().tractorStock();
    if (const QString refusal = previewRefusal(m_snapshot, m_tractorStock); !refusal.isEmpty()) {
        m_window.dialogs().showMessage(&m_window, QMessageBox::Warning,
                                       QStringLiteral("Print Preview"), refusal);
        return;
    }
    // Printing from the preview goes where Print goes: the chosen printer when there is one.
    std::unique_ptr<QPrinter> fallback;
    QPrinter* printer = PrinterChoice::of(m_window).chosenPrinter();
    if (!printer) {
        fallback = defaultPreviewPrinter();
        printer = fallback.get();
    }
    QPrintPreviewDialog dialog(printer, &m_window);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Qt's own size shows a sheet too small to read a label on.
    if (const QScreen* screen = m_window.screen())
        dialog.resize(screen->availableSize() * 0.9);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &PrintPreview::paint);
    dialog.exec();
}

void PrintPreview::paint(QPrinter* printer)
{
    const PreviewPages rendered = renderLabelPages(m_snapshot, m_tractorStock, *printer);
    if (rendered.result.status == printing::PrintResult::Status::Failed) {
        m_window.dialogs().showMessage(&m_window, QMessageBox::Critical,
                                       QStringLiteral("Print Preview"), rendered.result.message);
    }
}

}  // namespace tagwright::mainwindow
