#include "PrintCommand.h"

#include "ClickLabel.h"
#include "LabelSource.h"
#include "MainWindowControls.h"
#include "WindowKeys.h"
#include "PrintOutput.h"
#include "UserDialogs.h"
#include "WindowSnapshot.h"

#include "session/CardSession.h"

#include "printing/BoxText.h"
#include "printing/CopiesLimit.h"
#include "printing/PrinterSurface.h"
#include "printing/ValueRoom.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace tagwright::mainwindow {

namespace {

// Shows the hourglass for as long as it lives.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

bool askToPrintOverlong(UserDialogs& dialogs, QWidget* window, const QStringList& overlong)
{
    const QString text = printing::overlongMessage(overlong)
        + QStringLiteral("\nEven condensed to 6 points it runs over its neighbour or past the "
                         "label's edge. Shorten it, or print it like this?");
    return dialogs.askChoice(window, QMessageBox::Warning, QStringLiteral("Print"), text,
                             {QStringLiteral("Print anyway")})
        == 0;
}

PrintCommand::PrintCommand(const LabelSource& label, session::CardSession& session,
                           const MainWindowControls& controls, std::unique_ptr<PrintOutput> output,
                           QObject* parent)
    : QObject(parent), m_label(label), m_session(session), m_controls(controls), m_output(std::move(output))
{
    const MainWindowControls& c = controls;
    connect(c.printButton, &QPushButton::clicked, this, &PrintCommand::Print);
    connect(c.printOkButton, &QPushButton::clicked, this, &PrintCommand::confirm);
    connect(c.printCancelButton, &QPushButton::clicked, this, &PrintCommand::cancel);
    // The panel is worked like a dialog: Escape cancels, Tab stays on it.
    cancelOnEscape(c.printPanel, [this] { cancel(); });
    std::vector<QWidget*> tabCycle{c.copiesBox};
    tabCycle.insert(tabCycle.end(), c.skipCells.begin(), c.skipCells.end());
    tabCycle.insert(tabCycle.end(), {c.printOkButton, c.printCancelButton});
    new TabCycle(std::move(tabCycle), this);
    // Between the logo's rows the window repaints; input waits until the job is done, so
    // nothing typed or clicked meanwhile can reach into the job being composed.
    m_printer.setRowPause([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
}

PrintCommand::~PrintCommand() = default;

void PrintCommand::setOutput(std::unique_ptr<PrintOutput> output)
{
    m_output = std::move(output);
}

bool PrintCommand::panelUp() const
{
    return m_controls.printPanel->isVisible();
}

bool PrintCommand::tractorStock()
{
    return m_label.tractorStock();
}

void PrintCommand::Print()
{
    if (m_printer.busy())
        return;
    if (tractorStock()) {
        Outcome outcome;
        {
            BusyPointer hourglass;
            outcome = runJob(true);
        }
        report(outcome);
        return;
    }
    m_controls.printPanel->show();
    m_controls.printPanel->raise();
    // Into the panel before the pressed button is disabled, or the focus wanders off.
    m_controls.copiesBox->setFocus(Qt::OtherFocusReason);
    m_session.openPrintOptions();
}

void PrintCommand::toggleSkipCell(int cell)
{
    m_session.toggleCell(cell);
}

void PrintCommand::confirm()
{
    if (m_printer.busy())
        return;
    const MainWindowControls& c = m_controls;
    if (m_session.copies() < 1) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Warning, QStringLiteral("Print"),
                                       printing::NoCopiesMessage);
        c.copiesBox->setFocus(Qt::OtherFocusReason);
        c.copiesBox->selectAll();
        return;
    }
    Outcome outcome;
    {
        BusyPointer hourglass;
        // A hidden panel would hand its focus on round the window, to the title box with the
        // whole title selected, where the next key replaces it: no control has it meanwhile.
        if (QWidget* focus = QApplication::focusWidget(); focus && c.printPanel->isAncestorOf(focus))
            focus->clearFocus();
        c.printPanel->hide();
        outcome = runJob(false);
    }
    if (outcome.result.status == printing::PrintResult::Status::Refused) {
        // Nothing was printed: the panel stays up so the marks can be corrected.
        c.printPanel->show();
        c.printOkButton->setFocus(Qt::OtherFocusReason);
    } else {
        closePanelOnto(c.printButton);
    }
    report(outcome);
}

void PrintCommand::cancel()
{
    closePanelOnto(m_controls.printButton);
}

// Gives the focus back to the command that opened the panel before the panel goes, so the
// next key cannot land in a selected title.
void PrintCommand::closePanelOnto(QWidget* focus)
{
    m_session.closePrintOptions();
    focus->setFocus(Qt::OtherFocusReason);
    m_controls.printPanel->hide();
}

PrintCommand::Outcome PrintCommand::runJob(bool tractor)
{
    {
        // The question is no wait: the hourglass gives way while it is up.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const bool print = m_label.mayPrint(m_label.request());
        QApplication::restoreOverrideCursor();
        if (!print)
            return {};
    }
    const printing::PrintRequest request = m_label.request();
    QString error = QStringLiteral("No printer is available.");
    if (m_output)
        m_output->setJobTitle(m_label.title());
    std::unique_ptr<printing::PrinterSurface> surface = m_output ? m_output->open(&error) : nullptr;
    if (!surface) {
        // An empty reason: the user cancelled choosing where the labels go.
        Outcome failed;
        if (!error.isEmpty()) {
            failed.result.status = printing::PrintResult::Status::Failed;
            failed.result.message = error;
        }
        return failed;
    }
    if (!printOverlongValues(*surface, request, tractor)) {
        m_output->close(*surface);
        return {};
    }
    printing::PrintResult result = m_printer.PrintLabels(*surface, request, tractor);
    writeBackFilledValues(m_session, result.filled);
    const QString note = m_output->close(*surface);
    m_label.journalPrint(request, tractor, m_output->destination(), result);
    return {result, note};
}

// A header value that does not fit in its place even condensed would print over its
// neighbour or past the label's edge: the user decides, before anything is printed.
bool PrintCommand::printOverlongValues(printing::PrinterSurface& surface,
                                       const printing::PrintRequest& request, bool tractor)
{
    const QStringList overlong = printing::overlongValues(surface, request, tractor);
    if (overlong.isEmpty())
        return true;
    // The question is no wait: the hourglass gives way while it is up.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool print = askToPrintOverlong(m_label.dialogs(), m_label.window(), overlong);
    QApplication::restoreOverrideCursor();
    return print;
}

// Told after the buttons and pointer are back, so the window is usable behind the message.
void PrintCommand::report(const Outcome& outcome)
{
    using Status = printing::PrintResult::Status;
    const printing::PrintResult& result = outcome.result;
    const QString& note = outcome.note;
    if (result.status == Status::Refused) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Warning, QStringLiteral("Print"),
                                       result.message);
    } else if (result.status == Status::Failed) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Critical,
                                       QStringLiteral("Printing failed"), result.message);
    } else if (!note.isEmpty() && result.jobsSent > 0) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Information, QStringLiteral("Print"),
                                       note);
    }
}

}  // namespace tagwright::mainwindow
