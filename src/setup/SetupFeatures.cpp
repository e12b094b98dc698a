#include "SetupFeatures.h"

#include "FontSelection.h"
#include "InformationPanel.h"
#include "LogoWindowOpener.h"
#include "PrinterSetup.h"
#include "SetupHost.h"
#include "SetupPanel.h"
#include "StockFitButton.h"

#include "mainwindow/MainWindowControls.h"

#include <QToolButton>
#include <QWidget>

namespace tagwright::setup {

void installSetupFeatures(const SetupHost& host)
{
    new SetupPanel(host);
    new StockFitButton(host.window, host.controls);
    new FontSelection(host.window, host.controls, host.dialogs, host.card);
    new LogoWindowOpener(host.window, host.controls, host.card, host.notices);
    new InformationPanel(host.window, host.controls, host.mainDatabase, host.setupDatabase);
    QWidget* window = &host.window;
    mainwindow::UserDialogs* dialogs = &host.dialogs;
    QObject::connect(host.controls.printerSetupButton, &QToolButton::clicked, window,
                     [window, dialogs] { choosePrinter(*window, *dialogs); });
}

}  // namespace tagwright::setup
