#pragma once

#include "MainWindowControls.h"

#include "session/CardSession.h"
#include "store/ShopRecord.h"
#include "store/StoreError.h"
#include "store/TableCursor.h"

#include <QMainWindow>

#include <functional>
#include <memory>

namespace tagwright::store {
class Database;
}

namespace tagwright::journal {
class JournalWriter;
}

namespace tagwright::mainwindow {

class CommandActions;
class LabelSource;
class PrintCommand;
class SignatoryList;
class TemplateCard;
class TemplateEditor;
class UserDialogs;

// The main window: the card with the template on show, the button column and the panels
// over the card. It owns the three cursors on the main database; the operations of each
// area live in their own classes, which reach the window through these accessors.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(store::Database& mainDatabase, store::Database& setupDatabase, UserDialogs& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load steps: today's date, the three cursors, the default-label and signatory
    // lists, and the shop settings copied into the setup panel's boxes.
    store::StoreError load();

    MainWindowControls& controls() { return m_controls; }
    session::MainState& state() { return m_session.state(); }
    // The card session: the record on show, the values typed for the label, the print
    // options and the mode that decides what is enabled.
    session::CardSession& session() { return m_session; }
    // The commands shared by the buttons and the menus.
    CommandActions& commands() { return *m_commands; }
    // The label as the print commands take it, and the journal they record in.
    LabelSource& label() { return *m_label; }
    store::TableCursor& templates() { return m_templates; }      // Data1, "Labels"
    store::TableCursor& company() { return m_company; }          // Data2, "CompanyInfo"
    store::TableCursor& signatories() { return m_signatories; }  // Data3, "Mechanics"
    store::Database& mainDatabase() { return m_mainDatabase; }
    store::Database& setupDatabase() { return m_setupDatabase; }
    UserDialogs& dialogs() { return m_dialogs; }
    // The card's operations: template display, paging, edit modes (TemplateCard.h).
    TemplateCard& card() { return *m_card; }
    SignatoryList& signatoryList() { return *m_signatoryList; }
    PrintCommand& printCommand() { return *m_printCommand; }
    // New, Save, Delete, Exit and the title commit (TemplateEditor.h).
    TemplateEditor& templateEditor() { return *m_templateEditor; }
    // Writes the journal entries of this window's prints, off the print's way.
    journal::JournalWriter& journalWriter() { return *m_journalWriter; }

    // What closing the window does to the program: by default it ends the running event
    // loop. Tests drive the window without one and put a stand-in here.
    void setProgramEnd(std::function<void()> end) { m_programEnd = std::move(end); }

    // Shows the shop record in the setup panel's boxes: name, address, city-state-zip, the
    // five offsets and the default label's selection. The phone and the label stock have
    // rules of their own.
    void showShopRecord(const store::ShopRecord& shop);

    // Offers the templates as they stand now, those added, renamed or deleted since start-up
    // included, keeping the chosen entry when it is still there. The templates cursor stays
    // on the template on show.
    void refillDefaultLabelList();

    // Reads the shop settings and the signatories again, so what another workstation saved
    // on a shared database is seen; the signatory text typed or chosen stays.
    store::StoreError refreshSharedRecords();

    // Today's date as the date box shows it: MM-DD-YYYY.
    static QString todayText();

protected:
    // Closing the window is Exit: with unsaved changes the user is asked first (save,
    // discard or cancel); then the program ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void fillDefaultLabelList();
    void fillSignatoryList();
    void loadCompanySettings();

    store::Database& m_mainDatabase;
    store::Database& m_setupDatabase;
    UserDialogs& m_dialogs;
    session::CardSession m_session;
    MainWindowControls m_controls;
    CommandActions* m_commands = nullptr;
    store::TableCursor m_templates;
    store::TableCursor m_company;
    store::TableCursor m_signatories;
    SignatoryList* m_signatoryList = nullptr;
    PrintCommand* m_printCommand = nullptr;
    std::unique_ptr<LabelSource> m_label;
    std::unique_ptr<TemplateCard> m_card;
    // After the card, so it goes first: it uses the card's binding to the last.
    std::unique_ptr<TemplateEditor> m_templateEditor;
    std::function<void()> m_programEnd;
    std::unique_ptr<journal::JournalWriter> m_journalWriter;
};

}  // namespace tagwright::mainwindow
