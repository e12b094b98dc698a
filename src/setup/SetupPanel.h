#pragma once

#include "store/ShopRecord.h"
#include "store/TableCursor.h"

#include <QObject>

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::setup {

// The setup panel over the card: the setup button opens it with the stored shop settings
// and, pressed again, saves them all and closes it. There is no way out without saving;
// a save the database refuses keeps the panel open with what was typed.
class SetupPanel : public QObject {
    Q_OBJECT
public:
    explicit SetupPanel(mainwindow::MainWindow& window);

    bool isOpen() const;
    void toggle();

private:
    void open();
    void close();
    void setMainButtonsEnabled(bool enabled);
    void showSetupButtonAs(bool panelOpen);
    void loadCompanySettings();
    store::StoreError reopenSetupCursor();
    store::ShopRecord settingsOnScreen() const;
    bool saveSettings();
    void showDefaultTemplate();
    void setKeyboardOrder();

    mainwindow::MainWindow& m_window;
    store::TableCursor m_setup;   // the "Setup" table, opened afresh with each opening
};

}  // namespace tagwright::setup
