#include "SignatoryList.h"

#include "ui/ListSearch.h"
#include "ui/UserDialogs.h"

#include "session/MainState.h"
#include "store/SignatoryStore.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace tagwright::mainwindow {

SignatoryList::SignatoryList(QComboBox* list, store::SignatoryStore& signatories, session::MainState& state,
                             ui::UserDialogs& dialogs, QWidget* window)
    : QObject(window),
      m_list(list),
      m_signatories(signatories),
      m_state(state),
      m_dialogs(dialogs),
      m_window(window)
{
    // The list holds the focus for its text field and hands keys on to it by a direct call,
    // which passes no event filter: only the list itself sees every key the user types.
    list->installEventFilter(this);
}

bool SignatoryList::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            AddSignatory();
        else if (key == Qt::Key_Delete)
            return DeleteSignatory();
    }
    return false;  // the text field still gets the key
}

void SignatoryList::AddSignatory()
{
    QComboBox* list = m_list;
    const QString text = list->currentText();
    m_state.FindText = text;
    int index = ui::exactListSearch(list, text);
    // An empty or all-blank signatory would only print a bare line: it is never stored.
    if (index == -1 && !text.trimmed().isEmpty()) {
        if (const store::StoreError error = m_signatories.add(text); !error.ok()) {
            m_dialogs.showMessage(m_window, QMessageBox::Critical,
                                           QStringLiteral("Signatory not saved"), error.describe());
            return;
        }
        list->addItem(text);
        index = ui::exactListSearch(list, text);
    }
    list->setCurrentIndex(index);
}

bool SignatoryList::DeleteSignatory()
{
    QComboBox* list = m_list;
    const int index = list->currentIndex();
    const QLineEdit* field = list->lineEdit();
    // Typing over a chosen entry leaves nothing chosen, as a list with a text field does; a
    // cursor inside the text is editing it, where Delete removes the character after it.
    const bool wholeText = field->selectedText() == field->text()
                           || (!field->hasSelectedText() && field->cursorPosition() == field->text().size());
    const bool chosen = index != -1 && list->currentText() == list->itemText(index);
    if (!chosen || !wholeText) {
        dropChoiceKeepingText(list);
        return false;
    }
    const QString name = list->currentText();
    // A record the store cannot find, or not find now, is gone: the entry stays chosen.
    if (const store::Result<bool> known = m_signatories.contains(name); !known || !*known)
        return false;
    const QString remove = QStringLiteral("Remove");
    const int answer = m_dialogs.askChoice(
        m_window, QMessageBox::Question, QStringLiteral("Remove signatory"),
        QStringLiteral("Remove %1 from the signatories?").arg(name),
        {remove, QStringLiteral("Keep")});
    if (answer != 0)
        return true;  // kept: the key must not empty the chosen text either
    const store::Result<bool> removed = m_signatories.remove(name);
    if (!removed) {
        m_dialogs.showMessage(m_window, QMessageBox::Critical,
                                       QStringLiteral("Signatory not deleted"), removed.error().describe());
        return true;
    }
    if (!*removed)
        return true;  // the record was gone already: the entry stays chosen
    list->removeItem(index);
    list->setCurrentIndex(-1);
    return true;
}

// Nothing is chosen afterwards, yet what was typed stays as it stands: the Delete key still
// reaches the text field and removes only the character after the cursor. (A combination box
// empties its text field when its choice is cleared.)
void SignatoryList::dropChoiceKeepingText(QComboBox* list)
{
    if (list->currentIndex() == -1)
        return;
    QLineEdit* field = list->lineEdit();
    const QString text = field->text();
    const int cursor = field->cursorPosition();
    const int selectionStart = field->selectionStart();
    const int selectionLength = field->selectedText().size();
    list->setCurrentIndex(-1);
    field->setText(text);
    if (selectionLength > 0) {
        // Selected backwards, the cursor stands at the selection's start.
        field->setSelection(cursor == selectionStart ? selectionStart + selectionLength : selectionStart,
                            cursor == selectionStart ? -selectionLength : selectionLength);
    } else {
        field->setCursorPosition(cursor);
    }
}

}  // namespace tagwright::mainwindow
