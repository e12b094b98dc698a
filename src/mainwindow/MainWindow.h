#pragma once

#include "MainWindowControls.h"

#include "session/CardFile.h"
#include "session/CardSession.h"
#include "session/ShopSettings.h"
#include "store/ShopRecord.h"
#include "store/SignatoryStore.h"
#include "store/StoreError.h"
#include "store/TemplateStore.h"

#include <QMainWindow>

#include <functional>
#include <memory>

namespace tagwright::ui {
class UserDialogs;
}

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

// The main window: the card with the template on show, the button column and the panels
// over the card. It holds the card session and the card file over the main database's
// templates; the operations of each area live in their own classes, which take the parts
// they use.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(store::Database& mainDatabase, store::Database& setupDatabase, ui::UserDialogs& dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load steps: today's date, the card order, the signatory list and the shop
    // settings.
    store::StoreError load();

    MainWindowControls& controls() { return m_controls; }
    session::MainState& state() { return m_session.state(); }
    // The card session: the record on show, the values typed for the label, the print
    // options and the mode that decides what is enabled.
    session::CardSession& session() { return m_session; }
    // The commands shared by the buttons and the menus.
    CommandActions& commands() { return *m_commands; }
    // The window's printing: the label as the print commands take it, the print pipeline
    // and where Print prints.
    LabelSource& label() { return *m_label; }
    // The templates in card order, the place of the one on show, and the commands on them.
    session::CardFile& cards() { return m_cards; }
    // The shop's settings as stored and as edited in the setup panel.
    session::ShopSettings& shop() { return m_shop; }
    // The signatories ("Mechanics") with their certificates.
    store::SignatoryStore& signatories() { return m_signatoryStore; }
    store::Database& mainDatabase() { return m_mainDatabase; }
    store::Database& setupDatabase() { return m_setupDatabase; }
    ui::UserDialogs& dialogs() { return m_dialogs; }
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

    // Reads the signatories again, so what another workstation saved on a shared database is
    // seen; the signatory text typed or chosen stays.
    store::StoreError refreshSignatories();

    // Today's date as the date box shows it: MM-DD-YYYY.
    static QString todayText();

protected:
    // Closing the window is Exit: with unsaved changes the user is asked first (save,
    // discard or cancel); then the program ends.
    void closeEvent(QCloseEvent* event) override;

private:
    store::StoreError fillSignatoryList();

    store::Database& m_mainDatabase;
    store::Database& m_setupDatabase;
    ui::UserDialogs& m_dialogs;
    session::ShopSettings m_shop;
    store::SignatoryStore m_signatoryStore;
    session::CardSession m_session;
    MainWindowControls m_controls;
    CommandActions* m_commands = nullptr;
    store::TemplateStore m_templateStore;
    session::CardFile m_cards;
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
