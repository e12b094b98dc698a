#pragma once

class QWidget;

namespace tagwright::mainwindow {

// Run after a page step or a command: when the focus has come to rest in a box of `window`
// with its whole text selected (Qt selects a box's text when the focus passes into it from a
// box that was hidden or disabled), the selection goes and the cursor stands at the end, so
// the next key cannot silently replace a title, value or date.
void keepNextKeyFromReplacing(QWidget* window);

}  // namespace tagwright::mainwindow
