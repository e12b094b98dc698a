#include "AlignmentSheetPrint.h"

#include "CommandActions.h"
#include "LabelSource.h"
#include "PrintOutput.h"
#include "UserDialogs.h"
#include "WindowPrintPlace.h"

#include "printing/PrinterSurface.h"
#include "stock/AlignmentSheet.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace tagwright::mainwindow {

namespace {

const QString Title = QStringLiteral("Print Alignment Sheet");

}  // namespace

void installAlignmentSheet(QMenuBar* menuBar, CommandActions& commands, const LabelSource& label,
                           std::function<PrintOutput*()> output)
{
    QMenu* file = menuBar->findChild<QMenu*>(QStringLiteral("menuFile"));
    if (!file)
        return;
    auto* command = new AlignmentSheetPrint(label, std::move(output), menuBar);
    auto* action = new QAction(QStringLiteral("Print &Alignment Sheet..."), file);
    action->setObjectName(QStringLiteral("actionPrintAlignmentSheet"));
    QAction* exportPdf = file->findChild<QAction*>(QStringLiteral("actionExportPdf"));
    const QList<QAction*> entries = file->actions();
    const qsizetype after = entries.indexOf(exportPdf);
    file->insertAction(after >= 0 && after + 1 < entries.size() ? entries[after + 1] : nullptr, action);
    QObject::connect(action, &QAction::triggered, command, &AlignmentSheetPrint::run);
    commands.follow(action, session::Command::Print);
}

AlignmentSheetPrint::AlignmentSheetPrint(const LabelSource& label,
                                         std::function<PrintOutput*()> output, QObject* parent)
    : QObject(parent), m_label(label), m_output(std::move(output))
{
    setObjectName(QStringLiteral("AlignmentSheetPrint"));
}

void AlignmentSheetPrint::run()
{
    UserDialogs& dialogs = m_label.dialogs();
    QWidget* window = m_label.window();
    if (m_label.tractorStock()) {
        dialogs.showMessage(window, QMessageBox::Warning, Title,
                            QStringLiteral("The alignment sheet is for laser / inkjet label sheets; "
                                           "the shop's label stock is tractor feed."));
        return;
    }
    PrintOutput* output = m_output ? m_output() : nullptr;
    QString error = QStringLiteral("No printer is available.");
    if (output)
        output->setJobTitle(QStringLiteral("Tagwright alignment sheet"));
    std::unique_ptr<printing::PrinterSurface> surface = output ? output->open(&error) : nullptr;
    if (!surface) {
        // An empty reason: the user cancelled choosing where it goes.
        if (!error.isEmpty())
            dialogs.showMessage(window, QMessageBox::Critical, Title, error);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const stock::StockFit fit = stock::fitToStock(windowPrintPlace(*window).printable);
    const printing::PrintResult result =
        stock::printAlignmentSheet(*surface, fit, m_label.request().sheet.offsets);
    const QString note = output->close(*surface);
    QApplication::restoreOverrideCursor();
    if (!result.printed())
        dialogs.showMessage(window, QMessageBox::Critical, Title, result.message);
    else if (!note.isEmpty())
        dialogs.showMessage(window, QMessageBox::Information, Title, note);
}

}  // namespace tagwright::mainwindow
