#include "AlignmentSheetPrint.h"

#include "CommandActions.h"
#include "LabelSource.h"

#include "ui/UserDialogs.h"
#include "ui/WindowPrintPlace.h"

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

void installAlignmentSheet(QMenuBar* menuBar, CommandActions& commands, LabelSource& label)
{
    QMenu* file = menuBar->findChild<QMenu*>(QStringLiteral("menuFile"));
    if (!file)
        return;
    auto* command = new AlignmentSheetPrint(label, menuBar);
    auto* action = new QAction(QStringLiteral("Print &Alignment Sheet..."), file);
    action->setObjectName(QStringLiteral("actionPrintAlignmentSheet"));
    QAction* exportPdf = file->findChild<QAction*>(QStringLiteral("actionExportPdf"));
    const QList<QAction*> entries = file->actions();
    const qsizetype after = entries.indexOf(exportPdf);
    file->insertAction(after >= 0 && after + 1 < entries.size() ? entries[after + 1] : nullptr, action);
    QObject::connect(action, &QAction::triggered, command, &AlignmentSheetPrint::run);
    commands.follow(action, session::Command::Print);
}

AlignmentSheetPrint::AlignmentSheetPrint(LabelSource& label, QObject* parent)
    : QObject(parent), m_label(label)
{
    setObjectName(QStringLiteral("AlignmentSheetPrint"));
}

void AlignmentSheetPrint::run()
{
    ui::UserDialogs& dialogs = m_label.dialogs();
    QWidget* window = m_label.window();
    const store::Result<printing::PrintRequest> request = m_label.request();
    if (!request) {
        m_label.reportUnreadSettings(Title, request.error());
        return;
    }
    if (request->stock == printing::LabelStock::Tractor) {
        dialogs.showMessage(window, QMessageBox::Warning, Title,
                            QStringLiteral("The alignment sheet is for laser / inkjet label sheets; "
                                           "the shop's label stock is tractor feed."));
        return;
    }
    printjob::LabelOutput& output = m_label.printOutput();
    auto surface = output.open(QStringLiteral("Tagwright alignment sheet"));
    if (!surface) {
        // Cancelled choosing where it goes: nothing to say.
        if (surface.error().kind != printjob::OutputProblem::Kind::Cancelled)
            dialogs.showMessage(window, QMessageBox::Critical, Title, surface.error().message);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const stock::StockFit fit = stock::fitToStock(ui::windowPrintPlace(*window).printable);
    const printing::PrintResult result = stock::printAlignmentSheet(**surface, fit, request->sheet.offsets);
    QString failure = output.complete(**surface);
    if (failure.isEmpty())
        failure = output.place();
    QApplication::restoreOverrideCursor();
    if (!result.printed())
        dialogs.showMessage(window, QMessageBox::Critical, Title, result.message);
    else if (!failure.isEmpty())
        dialogs.showMessage(window, QMessageBox::Critical, Title, failure);
    else if (!output.note().isEmpty())
        dialogs.showMessage(window, QMessageBox::Information, Title, output.note());
}

}  // namespace tagwright::mainwindow
