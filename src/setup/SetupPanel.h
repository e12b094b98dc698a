#pragma once

#include "store/ShopRecord.h"

#include <QObject>

class QWidget;

namespace tagwright::store {
class Database;
}
namespace tagwright::mainwindow {
struct MainWindowControls;
class UserDialogs;
}

namespace tagwright::setup {

class ShopSettings;
class TemplateOnShow;
class WindowNotices;
struct SetupHost;

// The setup panel over the card: the setup button opens it with the stored shop settings
// and, pressed again, saves them all and closes it. There is no way out without saving;
// a save the database refuses keeps the panel open with what was typed.
class SetupPanel : public QObject {
    Q_OBJECT
public:
    explicit SetupPanel(const SetupHost& host);

    bool isOpen() const;
    void toggle();

private:
    void open();
    void close();
    void showSetupButtonAs(bool panelOpen);
    void loadCompanySettings();
    store::ShopRecord settingsOnScreen() const;
    bool saveSettings();
    void showDefaultTemplate();
    void setKeyboardOrder();

    QWidget& m_window;
    mainwindow::MainWindowControls& m_controls;
    mainwindow::UserDialogs& m_dialogs;
    store::Database& m_mainDatabase;
    store::Database& m_setupDatabase;
    ShopSettings& m_shop;
    TemplateOnShow& m_card;
    WindowNotices& m_notices;
    store::RecordKey m_shownRecord;  // the shop record the panel shows, in the version read
};

}  // namespace tagwright::setup
