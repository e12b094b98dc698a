#include "FocusRule.h"

#include <QApplication>
#include <QLineEdit>

namespace tagwright::mainwindow {

void keepNextKeyFromReplacing(QWidget* window)
{
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!box || !window->isAncestorOf(box) || box->text().isEmpty())
        return;
    if (box->hasSelectedText() && box->selectedText() == box->text()) {
        box->deselect();
        box->end(false);
    }
}

}  // namespace tagwright::mainwindow
