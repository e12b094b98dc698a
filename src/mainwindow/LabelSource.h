#pragma once

#include "printing/PrintRequest.h"
#include "printing/PrintResult.h"
#include "store/Result.h"

#include <QString>

class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::session {
class CardSession;
class ShopSettings;
}

namespace tagwright::journal {
class JournalWriter;
}



namespace tagwright::mainwindow {

struct MainWindowControls;

// What the print commands (Print, Print Preview, Export PDF) take from the window: the
// label as it stands with the stored label stock, and the journal that records what left.
class LabelSource {
public:
    LabelSource(const session::CardSession& session, const MainWindowControls& controls,
                const session::ShopSettings& shop, journal::JournalWriter& journal, ui::UserDialogs& dialogs,
                QWidget* window);

    // What Print would print now; an error when the shop's settings cannot be read.
    store::Result<printing::PrintRequest> request() const;
    // The title of the template on show: jobs and files are named after it.
    QString title() const;
    // Tells the user that nothing was printed because the shop's settings could not be read.
    void reportUnreadSettings(const QString& command, const store::StoreError& error) const;

    // Hands the journal's writer the entry of a label that left the window (nothing when the
    // job sent nothing). A journal that cannot take it is told to the user by the writer's
    // owner: the label went out all the same.
    void journalPrint(const printing::PrintRequest& input, const QString& destination,
                      const printing::PrintResult& result) const;

    ui::UserDialogs& dialogs() const { return m_dialogs; }
    // The window messages and dialogs are shown over.
    QWidget* window() const { return m_window; }

private:
    const session::CardSession& m_session;
    const MainWindowControls& m_controls;
    const session::ShopSettings& m_shop;
    journal::JournalWriter& m_journal;
    ui::UserDialogs& m_dialogs;
    QWidget* m_window;
};

}  // namespace tagwright::mainwindow
