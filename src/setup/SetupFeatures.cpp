#include "SetupFeatures.h"

#include "FontSelection.h"
#include "InformationPanel.h"
#include "LogoWindowOpener.h"
#include "PrinterSetup.h"
#include "SetupHost.h"
#include "SetupPanel.h"
#include "StockFitButton.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

namespace tagwright::setup {

void installSetupFeatures(const SetupHost& host)
{
    const SetupPanelControls& panel = (new SetupPanel(host))->controls();
    new StockFitButton(host.window, panel);
    new FontSelection(host.window, host.commands.fontButton, host.dialogs, host.card);
    new LogoWindowOpener(host.window, host.commands.logoButton, host.card, host.notices);
    new InformationPanel(host.window, host.cardArea, panel.informationButton, host.mainDatabase,
                         host.setupDatabase);
    QWidget* window = &host.window;
    ui::UserDialogs* dialogs = &host.dialogs;
    QObject::connect(panel.printerSetupButton, &QToolButton::clicked, window,
                     [window, dialogs] { choosePrinter(*window, *dialogs); });
    // A menu entry does what a click on its button does, from one place.
    for (auto [entry, button] : {std::pair{host.commands.printerSetup, panel.printerSetupButton},
                                 std::pair{host.commands.about, panel.informationButton}}) {
        if (entry)
            QObject::connect(entry, &QAction::triggered, button, &QToolButton::click);
    }
}

}  // namespace tagwright::setup
