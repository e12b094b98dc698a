#pragma once

namespace tagwright::setup {

struct SetupHost;

// Attaches the setup panel, the font button, the logo selection window, the information
// panel and the printer set-up button to the window's controls. The objects live as
// children of the host's window.
void installSetupFeatures(const SetupHost& host);

}  // namespace tagwright::setup
