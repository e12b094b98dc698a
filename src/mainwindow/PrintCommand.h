#pragma once

#include "printing/LabelPrinter.h"
#include "printing/PrintResult.h"

#include <QObject>

class QWidget;

#include <memory>

namespace tagwright::session {
class CardSession;
}

namespace tagwright::mainwindow {

class LabelSource;
class PrintOutput;
class UserDialogs;

// Names the header values that are too long for their places and asks whether to print
// them all the same; true for "Print anyway".
bool askToPrintOverlong(UserDialogs& dialogs, QWidget* window, const QStringList& overlong);
struct MainWindowControls;

// The Print button and the print options panel. Tractor-feed stock prints at once; laser
// sheets first show the panel, where the copies and the cells already used are set, and
// print with its OK button. While the panel is up the eight main buttons are disabled.
class PrintCommand : public QObject {
    Q_OBJECT
public:
    PrintCommand(const LabelSource& label, session::CardSession& session,
                 const MainWindowControls& controls, std::unique_ptr<PrintOutput> output,
                 QObject* parent);
    ~PrintCommand() override;

    void setOutput(std::unique_ptr<PrintOutput> output);

    void Print();                    // the Print button
    void toggleSkipCell(int cell);   // a click on skip cell 1..6
    void confirm();                  // OK
    void cancel();                   // Cancel

    bool panelUp() const;
    // True when the stored label stock is tractor feed.
    bool tractorStock();
    const printing::LabelPrinter& printer() const { return m_printer; }
    // Where Print sends labels; reprints from the journal go there too.
    PrintOutput* output() { return m_output.get(); }

private:
    void closePanelOnto(QWidget* focus);
    struct Outcome {
        printing::PrintResult result;
        QString note;  // for the user, from the output (where a PDF went)
    };
    Outcome runJob(bool tractor);
    bool printOverlongValues(printing::PrinterSurface& surface, const printing::PrintRequest& request,
                             bool tractor);
    void report(const Outcome& outcome);

    const LabelSource& m_label;
    session::CardSession& m_session;
    const MainWindowControls& m_controls;
    std::unique_ptr<PrintOutput> m_output;
    printing::LabelPrinter m_printer;
};

}  // namespace tagwright::mainwindow
