#pragma once

#include "SetupPanelLayout.h"

#include "store/ShopRecord.h"

#include <QObject>

class QPushButton;
class QWidget;

namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::session {
class ShopSettings;
}

namespace tagwright::setup {

class TemplateOnShow;
class WindowNotices;
struct SetupHost;

// The setup panel over the card: the setup button opens it with the stored shop settings
// and, pressed again, saves them all and closes it; a save the database refuses keeps the
// panel open with what was typed. Cancel (or Escape) closes it without saving: what was
// typed is dropped. Either way the card keeps its template and what was typed on it. The
// panel's boxes show and change the shop settings' edited state.
class SetupPanel : public QObject {
    Q_OBJECT
public:
    explicit SetupPanel(const SetupHost& host);

    const SetupPanelControls& controls() const { return m_controls; }
    bool isOpen() const;
    void toggle();
    // Closes the panel without saving.
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open();
    void close();
    void hidePanel();
    void showSetupButtonAs(bool panelOpen);
    void bindSettings();
    void showEdited();
    void refillDefaultLabelList();
    store::ShopRecord settingsOnScreen() const;
    bool saveSettings();
    void setKeyboardOrder();

    QWidget& m_window;
    QPushButton* m_setupButton;
    ui::UserDialogs& m_dialogs;
    store::Database& m_mainDatabase;
    session::ShopSettings& m_shop;
    TemplateOnShow& m_card;
    WindowNotices& m_notices;
    SetupPanelControls m_controls;
};

}  // namespace tagwright::setup
