#include "SetupWiring.h"

#include "mainwindow/CommandActions.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/TemplateCard.h"
#include "setup/SetupFeatures.h"
#include "setup/SetupHost.h"

namespace tagwright::startup {

namespace {

// The main window as the setup features see it.
class WindowForSetup : public QObject,
                       public setup::TemplateOnShow,
                       public setup::WindowNotices {
public:
    explicit WindowForSetup(mainwindow::MainWindow& window) : QObject(&window), m_window(window)
    {
        setObjectName(QStringLiteral("WindowForSetup"));
    }

    session::CardFile& cards() override { return m_window.cards(); }
    session::CardSession& session() override { return m_window.session(); }
    store::StoreError refreshSignatories() override { return m_window.refreshSignatories(); }

    // The mode decides what the panel leaves enabled.
    void setupPanelOpened() override { m_window.session().setSetupPanelOpen(true); }
    void setupPanelClosed() override { m_window.session().setSetupPanelOpen(false); }
    void logoWindowOpened() override { m_window.session().state().LogoPending = true; }

private:
    mainwindow::MainWindow& m_window;
};

}  // namespace

void wireSetupFeatures(mainwindow::MainWindow& window)
{
    auto* adapter = new WindowForSetup(window);
    const mainwindow::MainWindowControls& c = window.controls();
    const setup::SetupCommands commands{c.setupButton, c.fontButton, c.logoButton,
                                        window.commands().printerSetup(), window.commands().about()};
    setup::installSetupFeatures({window, *window.centralWidget(), commands, window.dialogs(),
                                 window.mainDatabase(), window.setupDatabase(), window.shop(),
                                 *adapter, *adapter});
}

}  // namespace tagwright::startup
