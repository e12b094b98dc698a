#pragma once

namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::startup {

// Attaches the setup panel, the font button, the logo window, the information panel and the
// printer set-up button to `window`. They reach the window only through an adapter, a child
// of the window, that answers their narrow interfaces.
void wireSetupFeatures(mainwindow::MainWindow& window);

}  // namespace tagwright::startup
