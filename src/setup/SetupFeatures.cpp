#include "SetupFeatures.h"

#include "FontSelection.h"
#include "InformationPanel.h"
#include "LogoWindowOpener.h"
#include "PrinterSetup.h"
#include "SetupPanel.h"

#include "mainwindow/MainWindow.h"

#include <QToolButton>

namespace tagwright::setup {

void installSetupFeatures(mainwindow::MainWindow& window)
{
    new SetupPanel(window);
    new FontSelection(window);
    new LogoWindowOpener(window);
    new InformationPanel(window);
    QObject::connect(window.controls().printerSetupButton, &QToolButton::clicked, &window,
                     [&window] { choosePrinter(window); });
}

}  // namespace tagwright::setup
