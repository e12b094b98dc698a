#include "SetupFeatures.h"

#include "mainwindow/MainWindow.h"

namespace tagwright::setup {

void installSetupFeatures(mainwindow::MainWindow& window)
{
    Q_UNUSED(window);
}

}  // namespace tagwright::setup
