#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace tagwright::ui {

// Ctrl+Y redoes in every text box under `root`, as Ctrl+Shift+Z does: shops coming from
// Windows press it, and on Linux Qt gives it no meaning.
void addRedoKey(QWidget* root);

// Escape runs `cancel` while `panel` is shown, wherever in its window the focus is: the
// panels over the card and the program's small windows close with it like any dialog.
void cancelOnEscape(QWidget* panel, std::function<void()> cancel);

// Tab and Shift+Tab go round `controls`, in their order, while one of them has the focus,
// never out into the window underneath: a panel over the card is worked like a dialog.
// Controls that are hidden or disabled are passed over.
class TabCycle : public QObject {
    Q_OBJECT
public:
    TabCycle(std::vector<QWidget*> controls, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveFrom(QWidget* from, int step);

    std::vector<QWidget*> m_controls;
};

}  // namespace tagwright::ui
