#include "PrintCommand.h"

#include "ClickLabel.h"
#include "LabelSource.h"
#include "MainWindowControls.h"
#include "ui/WindowKeys.h"
#include "ui/UserDialogs.h"

#include "journal/Disagreement.h"
#include "session/CardSession.h"

#include "printing/BoxText.h"
#include "printing/CopiesLimit.h"
#include "printing/PrinterSurface.h"
#include "printing/ValueRoom.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
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

bool askToPrintOverlong(ui::UserDialogs& dialogs, QWidget* window, const QStringList& overlong)
{
    const QString text = printing::overlongMessage(overlong)
        + QStringLiteral("\nEven condensed to 6 points it runs over its neighbour or past the "
                         "label's edge. Shorten it, or print it like this?");
    return dialogs.askChoice(window, QMessageBox::Warning, QStringLiteral("Print"), text,
                             {QStringLiteral("Print anyway")})
        == 0;
}

PrintCommand::PrintCommand(LabelSource& label, session::CardSession& session,
                           const MainWindowControls& controls, QObject* parent)
    : QObject(parent), m_label(label), m_session(session), m_controls(controls)
{
    const MainWindowControls& c = controls;
    connect(c.printButton, &QPushButton::clicked, this, &PrintCommand::Print);
    connect(c.printOkButton, &QPushButton::clicked, this, &PrintCommand::confirm);
    connect(c.printCancelButton, &QPushButton::clicked, this, &PrintCommand::cancel);
    // The panel is worked like a dialog: Escape cancels, Tab stays on it.
    ui::cancelOnEscape(c.printPanel, [this] { cancel(); });
    std::vector<QWidget*> tabCycle{c.copiesBox};
    tabCycle.insert(tabCycle.end(), c.skipCells.begin(), c.skipCells.end());
    tabCycle.insert(tabCycle.end(), {c.printOkButton, c.printCancelButton});
    for (QWidget* control : tabCycle)
        control->installEventFilter(this);
    c.printOkButton->setDefault(true);
    new ui::TabCycle(std::move(tabCycle), this);
    // Between the logo's rows the window repaints; input waits until the job is done, so
    // nothing typed or clicked meanwhile can reach into the job being composed.
    m_label.pipeline().setRowPause(
        [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
}

PrintCommand::~PrintCommand() = default;

void PrintCommand::setOutput(std::unique_ptr<printjob::LabelOutput> output)
{
    m_label.setPrintOutput(std::move(output));
}

const printing::LabelPrinter& PrintCommand::printer() const
{
    return m_label.pipeline().printer();
}

bool PrintCommand::panelUp() const
{
    return m_controls.printPanel->isVisible();
}

void PrintCommand::Print()
{
    if (m_label.pipeline().busy())
        return;
    if (!settleDisagreement())
        return;
    const store::Result<printing::PrintRequest> request = m_label.request();
    if (!request) {
        m_label.reportUnreadSettings(QStringLiteral("Print"), request.error());
        return;
    }
    if (request->stock == printing::LabelStock::Tractor) {
        printjob::PrintOutcome outcome;
        {
            BusyPointer hourglass;
            outcome = runJob(*request);
        }
        m_label.report(QStringLiteral("Print"), outcome);
        return;
    }
    m_controls.printPanel->show();
    m_controls.printPanel->raise();
    // Into the panel before the pressed button is disabled, or the focus wanders off.
    m_controls.copiesBox->setFocus(Qt::OtherFocusReason);
    m_session.openPrintOptions();
}

// True when the label may print: its make and serial agree with the known aircraft, or the
// user said to print them as typed, or took the known values onto the card.
bool PrintCommand::settleDisagreement()
{
    const std::optional<journal::Disagreement> differs = m_label.disagreement();
    if (!differs)
        return true;
    const int choice = m_label.dialogs().askChoice(
        m_label.window(), QMessageBox::Question, QStringLiteral("Print"), differs->sentence(),
        {QStringLiteral("Print as typed"), QStringLiteral("Use the known values")});
    if (choice == 1) {
        // Only what the aircraft knows replaces what is typed.
        if (!differs->known.make.trimmed().isEmpty())
            m_session.setAircraftValue(1, differs->known.make);
        if (!differs->known.serial.trimmed().isEmpty())
            m_session.setAircraftValue(2, differs->known.serial);
    }
    return choice >= 0;
}

bool PrintCommand::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (watched == m_controls.printCancelButton)
        cancel();
    else
        confirm();
    return true;
}

void PrintCommand::toggleSkipCell(int cell)
{
    m_session.toggleCell(cell);
}

void PrintCommand::confirm()
{
    if (m_label.pipeline().busy())
        return;
    const MainWindowControls& c = m_controls;
    if (m_session.copies() < 1) {
        m_label.dialogs().showMessage(m_label.window(), QMessageBox::Warning, QStringLiteral("Print"),
                                       printing::NoCopiesMessage);
        c.copiesBox->setFocus(Qt::OtherFocusReason);
        c.copiesBox->selectAll();
        return;
    }
    store::Result<printing::PrintRequest> request = m_label.request();
    if (!request) {
        m_label.reportUnreadSettings(QStringLiteral("Print"), request.error());
        return;
    }
    // The panel is the laser sheets': Print opened it for them.
    request->stock = printing::LabelStock::Laser;
    printjob::PrintOutcome outcome;
    {
        BusyPointer hourglass;
        // A hidden panel would hand its focus on round the window, to the title box with the
        // whole title selected, where the next key replaces it: no control has it meanwhile.
        if (QWidget* focus = QApplication::focusWidget(); focus && c.printPanel->isAncestorOf(focus))
            focus->clearFocus();
        c.printPanel->hide();
        outcome = runJob(*request);
    }
    if (outcome.status == printjob::PrintOutcome::Status::Printed)
        m_session.markPrintedCells(outcome.job.lastSheetCells);
    if (outcome.job.status == printing::PrintResult::Status::Refused) {
        // Nothing was printed: the panel stays up so the marks can be corrected.
        c.printPanel->show();
        c.printOkButton->setFocus(Qt::OtherFocusReason);
    } else {
        closePanelOnto(c.printButton);
    }
    m_label.report(QStringLiteral("Print"), outcome);
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

printjob::PrintOutcome PrintCommand::runJob(printing::PrintRequest request)
{
    {
        // The question is no wait: the hourglass gives way while it is up.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const bool print = m_label.mayPrint(request);
        QApplication::restoreOverrideCursor();
        if (!print) {
            printjob::PrintOutcome stopped;
            stopped.status = printjob::PrintOutcome::Status::Cancelled;
            return stopped;
        }
    }
    // A header value that does not fit in its place even condensed would print over its
    // neighbour or past the label's edge: the user decides, before anything is printed. The
    // question is no wait: the hourglass gives way while it is up.
    const auto askOverlong = [this](const QStringList& overlong) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const bool print = askToPrintOverlong(m_label.dialogs(), m_label.window(), overlong);
        QApplication::restoreOverrideCursor();
        return print;
    };
    printjob::PrintOutcome outcome = m_label.print(request, m_label.printOutput(), askOverlong);
    m_session.showFilledValues(outcome.job.filled);
    return outcome;
}

}  // namespace tagwright::mainwindow
