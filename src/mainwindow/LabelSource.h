#pragma once

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"

#include <QString>

#include <functional>

class QWidget;

namespace tagwright::session {
class CardSession;
}

namespace tagwright::journal {
class JournalWriter;
}

namespace tagwright::store {
class Database;
class TableCursor;
}

namespace tagwright::mainwindow {

struct MainWindowControls;
class UserDialogs;

// What the print commands (Print, Print Preview, Export PDF) take from the window: the
// label as it stands, the stored label stock, and the journal that records what left.
class LabelSource {
public:
    LabelSource(const session::CardSession& session, const MainWindowControls& controls,
                store::Database& main, store::TableCursor& company, journal::JournalWriter& journal,
                UserDialogs& dialogs, QWidget* window);

    // What Print would print now (takeSnapshot), with the certificate of the signatory's
    // profile (addSignatoryCertificate).
    printing::PrintRequest request() const;

    // Asked before Print and Export PDF put a label out; false stops the command. It may
    // change what request() gives (a certificate number added), so the command takes the
    // request again afterwards. Without one, every label goes out.
    using PrintCheck = std::function<bool(const printing::PrintRequest&)>;
    void setPrintCheck(PrintCheck check) { m_printCheck = std::move(check); }
    bool mayPrint(const printing::PrintRequest& request) const { return !m_printCheck || m_printCheck(request); }
    // The title of the template on show: jobs and files are named after it.
    QString title() const;
    // True when the stored label stock is tractor feed.
    bool tractorStock() const;

    // Hands the journal's writer the entry of a label that left the window (nothing when the
    // job sent nothing). A journal that cannot take it is told to the user by the writer's
    // owner: the label went out all the same.
    void journalPrint(const printing::PrintRequest& input, bool tractorStock,
                      const QString& destination, const printing::PrintResult& result) const;

    UserDialogs& dialogs() const { return m_dialogs; }
    // The window messages and dialogs are shown over.
    QWidget* window() const { return m_window; }

private:
    const session::CardSession& m_session;
    const MainWindowControls& m_controls;
    store::Database& m_main;
    store::TableCursor& m_company;
    journal::JournalWriter& m_journal;
    UserDialogs& m_dialogs;
    QWidget* m_window;
    PrintCheck m_printCheck;
};

}  // namespace tagwright::mainwindow
