#pragma once

#include "store/StoreError.h"

class QAction;
class QPushButton;
class QString;
class QWidget;

namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::store {
class Database;
}
namespace tagwright::session {
class CardFile;
class CardSession;
class ShopSettings;
}

namespace tagwright::setup {

// The template on the card, as the font button and the setup panel change it.
class TemplateOnShow {
public:
    virtual ~TemplateOnShow() = default;

    // The card file: the templates, the one on show, the font written to it.
    virtual session::CardFile& cards() = 0;
    // The card's session: the template's body font and logo as the card shows them.
    virtual session::CardSession& session() = 0;
    // Reads the signatories again, so what another workstation saved is seen.
    virtual store::StoreError refreshSignatories() = 0;
};

// What the main window is told when a setup feature opens something over it.
class WindowNotices {
public:
    virtual ~WindowNotices() = default;

    // The setup panel covers the card: the main buttons and paging are off until it closes.
    virtual void setupPanelOpened() = 0;
    virtual void setupPanelClosed() = 0;
    // The logo window was opened: the window reloads its logo at its next activation.
    virtual void logoWindowOpened() = 0;
};

// The window's buttons and menu entries that run setup features.
struct SetupCommands {
    QPushButton* setupButton = nullptr;   // opens and closes the setup panel
    QPushButton* fontButton = nullptr;
    QPushButton* logoButton = nullptr;
    QAction* printerSetup = nullptr;      // the entry beside the panel's printer set-up button
    QAction* about = nullptr;             // the entry beside the panel's information button
};

// Everything the setup features are attached to. `window` parents them and their dialogs;
// the setup and information panels are built over `cardArea`.
struct SetupHost {
    QWidget& window;
    QWidget& cardArea;
    SetupCommands commands;
    ui::UserDialogs& dialogs;
    store::Database& mainDatabase;
    store::Database& setupDatabase;
    session::ShopSettings& shop;
    TemplateOnShow& card;
    WindowNotices& notices;
};

}  // namespace tagwright::setup
