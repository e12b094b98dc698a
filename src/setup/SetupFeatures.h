#pragma once

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::setup {

// Attaches the setup panel, the font button and the logo selection window to the main
// window's controls. The objects live as children of the window.
void installSetupFeatures(mainwindow::MainWindow& window);

}  // namespace tagwright::setup
