#pragma once

#include "store/ShopRecord.h"
#include "store/StoreError.h"

class QString;
class QWidget;

namespace tagwright::store {
class Database;
}
namespace tagwright::session {
class CardFile;
class CardSession;
}
namespace tagwright::mainwindow {
struct MainWindowControls;
class UserDialogs;
}

namespace tagwright::setup {

// The shop's shared records as the setup panel reads and writes them, and the window's
// boxes and lists that show them.
class ShopSettings {
public:
    virtual ~ShopSettings() = default;

    // Reads the shop settings and the signatories again, so what another workstation saved
    // is seen.
    virtual store::StoreError refreshSharedRecords() = 0;
    // Shows the shop record in the setup panel's boxes (not the phone nor the label stock).
    virtual void showShopRecord(const store::ShopRecord& shop) = 0;
    // Offers the templates as they stand now in the default-label list.
    virtual store::StoreError refillDefaultLabelList() = 0;
};

// The template on the card, as the font button and the setup panel change it.
class TemplateOnShow {
public:
    virtual ~TemplateOnShow() = default;

    // The card file: the templates, the one on show, the font written to it.
    virtual session::CardFile& cards() = 0;
    // The card's session: the template's body font and logo as the card shows them.
    virtual session::CardSession& session() = 0;
    // Shows the template titled `title`, else the first one, out of edit mode.
    virtual void showTemplate(const QString& title) = 0;
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

// Everything the setup features are attached to. `window` parents them and their dialogs.
struct SetupHost {
    QWidget& window;
    mainwindow::MainWindowControls& controls;
    mainwindow::UserDialogs& dialogs;
    store::Database& mainDatabase;
    store::Database& setupDatabase;
    ShopSettings& shop;
    TemplateOnShow& card;
    WindowNotices& notices;
};

}  // namespace tagwright::setup
