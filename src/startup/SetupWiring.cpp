#include "SetupWiring.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/TemplateCard.h"
#include "setup/SetupFeatures.h"
#include "setup/SetupHost.h"

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
    bool isUnsavedNew() override { return m_window.session().state().NewLabel != 0; }
    session::CardSession& session() override { return m_window.session(); }
    void recordWritten() override { m_window.session().recordRewritten(m_window.templates()); }

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

    // The mode decides what the panel leaves enabled.
    void setupPanelOpened() override { m_window.session().setSetupPanelOpen(true); }
    void setupPanelClosed() override { m_window.session().setSetupPanelOpen(false); }
    void logoWindowOpened() override { m_window.session().state().LogoPending = 1; }

private:
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
