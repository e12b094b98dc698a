#include "SetupWiring.h"

#include "mainwindow/ClickLabel.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/TemplateBinding.h"
#include "mainwindow/TemplateCard.h"
#include "setup/SetupFeatures.h"
#include "setup/SetupHost.h"

#include <QPushButton>

namespace tagwright::startup {

namespace {

// The main window as the setup features see it.
class WindowForSetup : public QObject,
                       public setup::ShopSettings,
                       public setup::TemplateOnShow,
                       public setup::WindowNotices {
public:
    explicit WindowForSetup(mainwindow::MainWindow& window) : QObject(&window), m_window(window)
    {
        setObjectName(QStringLiteral("WindowForSetup"));
    }

    store::TableCursor& companyRecord() override { return m_window.company(); }
    store::StoreError refreshSharedRecords() override { return m_window.refreshSharedRecords(); }
    void showShopRecord(const store::ShopRecord& shop) override { m_window.showShopRecord(shop); }
    void refillDefaultLabelList() override { m_window.refillDefaultLabelList(); }

    store::TableCursor& templates() override { return m_window.templates(); }
    bool isUnsavedNew() override { return m_window.state().NewLabel != 0; }
    void recordWritten() override { m_window.card().binding().recordWritten(); }

    // With no templates at all the card begins a blank new record, which has no fields to load.
    void showTemplate(const QString& title) override
    {
        mainwindow::TemplateCard& card = m_window.card();
        if (!card.goToTemplate(title))
            return;
        card.LoadTemplateFields();
        card.ShowTitleTab(0);
        card.LeaveEditMode();
    }

    void setupPanelOpened() override { setMainButtonsEnabled(false); }
    void setupPanelClosed() override { setMainButtonsEnabled(true); }
    void logoWindowOpened() override { m_window.state().LogoPending = 1; }

private:
    // "Save" is off on opening and closing alike. The page zones lie under the panel, out of
    // the mouse's reach, but PageDown and PageUp follow them: they must not page the card
    // behind the panel.
    void setMainButtonsEnabled(bool enabled)
    {
        const mainwindow::MainWindowControls& c = m_window.controls();
        for (QPushButton* button : {c.newButton, c.fontButton, c.logoButton, c.printButton,
                                    c.exitButton, c.deleteButton})
            button->setEnabled(enabled);
        for (QWidget* zone : c.pageZones)
            zone->setEnabled(enabled);
        c.saveButton->setEnabled(false);
    }

    mainwindow::MainWindow& m_window;
};

}  // namespace

void wireSetupFeatures(mainwindow::MainWindow& window)
{
    auto* adapter = new WindowForSetup(window);
    setup::installSetupFeatures({window, window.controls(), window.dialogs(),
                                 window.mainDatabase(), window.setupDatabase(), *adapter,
                                 *adapter, *adapter});
}

}  // namespace tagwright::startup
