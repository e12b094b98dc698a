#include "WindowKeys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

namespace tagwright::ui {

namespace {

bool isCtrlY(const QEvent* event)
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Y
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

class RedoKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !isCtrlY(event))
            return QObject::eventFilter(watched, event);
        // Claimed before any shortcut of the window can take the key.
        if (type == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (auto* line = qobject_cast<QLineEdit*>(watched); line && !line->isReadOnly())
            line->redo();
        else if (auto* text = qobject_cast<QPlainTextEdit*>(watched); text && !text->isReadOnly())
            text->redo();
        return true;
    }
};

}  // namespace

void addRedoKey(QWidget* root)
{
    auto* redo = new RedoKey(root);
    for (QLineEdit* line : root->findChildren<QLineEdit*>())
        line->installEventFilter(redo);
    for (QPlainTextEdit* text : root->findChildren<QPlainTextEdit*>())
        text->installEventFilter(redo);
}

void cancelOnEscape(QWidget* panel, std::function<void()> cancel)
{
    // A shortcut is live only while the widget it belongs to is shown.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, panel, std::move(cancel));
}

TabCycle::TabCycle(std::vector<QWidget*> controls, QObject* parent)
    : QObject(parent), m_controls(std::move(controls))
{
    for (QWidget* control : m_controls)
        control->installEventFilter(this);
}

bool TabCycle::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    const bool back = key->key() == Qt::Key_Backtab
        || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
    if (!back && key->key() != Qt::Key_Tab)
        return false;
    moveFrom(static_cast<QWidget*>(watched), back ? -1 : 1);
    return true;
}

void TabCycle::moveFrom(QWidget* from, int step)
{
    const auto at = std::find(m_controls.begin(), m_controls.end(), from);
    if (at == m_controls.end())
        return;
    const int count = int(m_controls.size());
    const int start = int(at - m_controls.begin());
    for (int i = 1; i < count; ++i) {
        QWidget* next = m_controls[std::size_t(((start + step * i) % count + count) % count)];
        if (next->isVisible() && next->isEnabled()) {
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}  // namespace tagwright::ui
