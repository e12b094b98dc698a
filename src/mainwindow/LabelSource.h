#pragma once

#include "printing/PrintRequest.h"
#include "printjob/LabelOutput.h"
#include "printjob/PrintPipeline.h"
#include "store/Result.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::session {
class CardSession;
}

namespace tagwright::journal {
class EntrySink;
struct Disagreement;
}

namespace tagwright::store {
class Database;
}

namespace tagwright::mainwindow {

// The window's printing, shared by Print, Print Preview, Export PDF and the journal view's
// reprints: the label as the card session has it, the one print pipeline they all go
// through (their entries go to the window's journal), where Print prints, and how an
// outcome is told.
class LabelSource {
public:
    LabelSource(const session::CardSession& session, journal::EntrySink& journal,
                ui::UserDialogs& dialogs, QWidget* window, std::unique_ptr<printjob::LabelOutput> output);
    ~LabelSource();

    // The journal whose aircraft the card's values are checked against.
    void setJournalDatabase(store::Database& database) { m_journalDatabase = &database; }
    // Where the card's make or serial differ from what the journal knows of its aircraft
    // (the journal's rule); nothing when they agree, or the aircraft is not known.
    std::optional<journal::Disagreement> disagreement() const;

    // What Print would print now, with the certificate of the shop's signatory it names; an
    // error when the shop's settings or signatories cannot be read.
    store::Result<printing::PrintRequest> request() const;

    // Asked once before Print and Export PDF put a label out; false stops the command. It may
    // complete the request it is given (a certificate number added meanwhile). Without one,
    // every label goes out.
    using PrintCheck = std::function<bool(printing::PrintRequest&)>;
    void setPrintCheck(PrintCheck check) { m_printCheck = std::move(check); }
    bool mayPrint(printing::PrintRequest& request) const { return !m_printCheck || m_printCheck(request); }
    // The title of the template on show: jobs and files are named after it.
    QString title() const;

    // Prints `request` through the pipeline to `output`, as the template on show.
    printjob::PrintOutcome print(const printing::PrintRequest& request, printjob::LabelOutput& output,
                                 const printjob::PrintPipeline::OverlongQuestion& askOverlong = {});
    printjob::PrintPipeline& pipeline() { return m_pipeline; }

    // Where Print prints; reprints from the journal go there too.
    printjob::LabelOutput& printOutput() { return *m_output; }
    void setPrintOutput(std::unique_ptr<printjob::LabelOutput> output) { m_output = std::move(output); }

    // Tells the user how a print by `command` ("Print", "Export PDF" ...) ended, after the
    // window is usable again: a refusal, a failure, or a note on where the labels went.
    void report(const QString& command, const printjob::PrintOutcome& outcome) const;
    // Tells the user that nothing was printed because the shop's settings or signatories
    // could not be read.
    void reportUnreadSettings(const QString& command, const store::StoreError& error) const;

    ui::UserDialogs& dialogs() const { return m_dialogs; }
    // The window messages and dialogs are shown over.
    QWidget* window() const { return m_window; }

private:
    const session::CardSession& m_session;
    ui::UserDialogs& m_dialogs;
    QWidget* m_window;
    printjob::PrintPipeline m_pipeline;
    std::unique_ptr<printjob::LabelOutput> m_output;
    store::Database* m_journalDatabase = nullptr;
    PrintCheck m_printCheck;
};

// How a print ended, told over `parent`: nothing for a cancelled choice or a plain success,
// the refusal or failure in the command's words, a note when the output has one.
void reportPrint(ui::UserDialogs& dialogs, QWidget* parent, const QString& command,
                 const printjob::PrintOutcome& outcome);

}  // namespace tagwright::mainwindow
