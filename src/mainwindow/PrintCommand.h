#pragma once

#include "printing/LabelPrinter.h"
#include "printing/PrintRequest.h"
#include "printjob/PrintPipeline.h"

#include <QObject>

#include <memory>

class QWidget;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::mainwindow {

class LabelSource;
struct MainWindowControls;

// Names the header values that are too long for their places and asks whether to print
// them all the same; true for "Print anyway".
bool askToPrintOverlong(ui::UserDialogs& dialogs, QWidget* window, const QStringList& overlong);

// The Print button and the print options panel. Tractor-feed stock prints at once; laser
// sheets first show the panel, where the copies and the cells already used are set, and
// print with its OK button. A make or serial that differs from what the shop knows of the
// aircraft is asked about first: printed as typed, replaced by the known values, or not
// printed. While the panel is up the eight main buttons are disabled.
class PrintCommand : public QObject {
    Q_OBJECT
public:
    PrintCommand(LabelSource& label, session::CardSession& session,
                 const MainWindowControls& controls, QObject* parent);
    ~PrintCommand() override;

    // Where Print prints (the system's printer, or in tests a recording).
    void setOutput(std::unique_ptr<printjob::LabelOutput> output);

    void Print();                    // the Print button
    void toggleSkipCell(int cell);   // a click on skip cell 1..6
    void confirm();                  // OK
    void cancel();                   // Cancel

    bool panelUp() const;
    const printing::LabelPrinter& printer() const;

protected:
    // Enter in the panel is OK, as in a dialog; on the focused Cancel it is Cancel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool settleDisagreement();
    void closePanelOnto(QWidget* focus);
    printjob::PrintOutcome runJob(printing::PrintRequest request);

    LabelSource& m_label;
    session::CardSession& m_session;
    const MainWindowControls& m_controls;
};

}  // namespace tagwright::mainwindow
