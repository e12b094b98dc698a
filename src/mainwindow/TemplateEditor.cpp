#include "TemplateEditor.h"

#include "FocusRule.h"
#include "MainWindowControls.h"
#include "TemplateCard.h"
#include "ui/UserDialogs.h"

#include "session/CardFile.h"
#include "session/CardSession.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace tagwright::mainwindow {

using session::CardFile;
using session::CardOutcome;

TemplateEditor::TemplateEditor(MainWindowControls& controls, session::CardSession& session,
                               session::CardFile& cards, TemplateCard& card, ui::UserDialogs& dialogs,
                               QWidget* window)
    : m_controls(controls),
      m_session(session),
      m_cards(cards),
      m_card(card),
      m_dialogs(dialogs),
      m_window(window)
{
    connectCommands();
    for (QLineEdit* box : controls.titleBoxes)
        box->installEventFilter(this);
}

TemplateEditor::~TemplateEditor()
{
    // The boxes outlive this object while the window is torn down, and a box that had the
    // focus loses it then: that is no commit.
    for (QLineEdit* box : m_controls.titleBoxes)
        box->removeEventFilter(this);
}

void TemplateEditor::connectCommands()
{
    const MainWindowControls& c = m_controls;
    connect(c.newButton, &QPushButton::clicked, this, &TemplateEditor::NewTemplate);
    connect(c.saveButton, &QPushButton::clicked, this, &TemplateEditor::SaveTemplate);
    connect(c.deleteButton, &QPushButton::clicked, this, &TemplateEditor::DeleteTemplate);
    connect(c.exitButton, &QPushButton::clicked, this, &TemplateEditor::Exit);
}

bool TemplateEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window, a message box or a menu taking the focus is no leaving of the box; nor
    // is a box hidden by a page step, whose record the step itself writes.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    const auto& boxes = m_controls.titleBoxes;
    for (int index = 0; index < int(boxes.size()); ++index) {
        if (boxes[std::size_t(index)] == watched && boxes[std::size_t(index)]->isVisible())
            CommitTitle(index);
    }
    return false;
}

void TemplateEditor::NewTemplate()
{
    if (const CardOutcome outcome = m_cards.newTemplate(); !outcome.ok()) {
        m_card.report(outcome);
        return;
    }
    m_card.ShowTitleTab(0);
    m_controls.titleBoxes[0]->setFocus(Qt::OtherFocusReason);
    keepNextKeyFromReplacing(m_window);
}

void TemplateEditor::CommitTitle(int)
{
    const CardOutcome outcome = m_cards.commitTitle();
    if (outcome.isConflict()) {
        resolveConflict(outcome);
        return;
    }
    if (!outcome.ok()) {
        m_card.report(outcome);
        // The refused title is not kept: the next title the box is left with is tried.
        if (outcome.error.number == store::DuplicateKey)
            m_session.setTitle(CardFile::refusalMarker());
    }
}

void TemplateEditor::SaveTemplate()
{
    // Disabling the pressed Save button would hand the focus on round the window to the
    // title box, all selected, where the next key replaces the title: the body takes it.
    if (m_controls.saveButton->hasFocus())
        focusBodyEnd();
    const CardOutcome outcome = m_cards.save();
    if (outcome.isConflict())
        resolveConflict(outcome);
    else if (!outcome.ok())
        m_card.report(outcome);
}

// Another workstation changed or deleted the template on show since it was shown here: its
// work is not written over unasked, and the typing is not dropped unasked either.
void TemplateEditor::resolveConflict(const CardOutcome& refused)
{
    // The choice answers for the version stored while the question is up: one written
    // after it is asked about again, never written over unseen.
    const auto conflict = m_cards.conflictAbout(refused);
    if (!conflict) {
        m_card.report(conflict.error());
        return;
    }
    const QString reload = QStringLiteral("Reload");
    const QString overwrite = QStringLiteral("Save mine over it");
    const QString keepNew = QStringLiteral("Keep as new template");
    const QString drop = QStringLiteral("Drop my changes");
    const bool deleted = conflict->deleted;
    const QStringList choices = deleted ? QStringList{keepNew, drop}
                                        : QStringList{reload, overwrite, keepNew};
    const QString text = deleted
        ? QStringLiteral("Another workstation deleted this template after it was shown here.\n\n"
                         "Keep what you typed as a new template, or drop it?")
        : QStringLiteral("Another workstation changed this template after it was shown here.\n\n"
                         "Reload it to see their version (what you typed is dropped), save yours "
                         "over it, or keep yours as a new template?");
    const int choice = m_dialogs.askChoice(
        m_window, QMessageBox::Warning,
        deleted ? QStringLiteral("Template deleted elsewhere") : QStringLiteral("Template changed elsewhere"),
        text, choices);
    if (choice < 0)
        return;  // nothing written, the typing stays for another try
    const QString& chosen = choices[choice];
    if (chosen == keepNew) {
        // A new template needs a title of its own: the one on show is still taken when the
        // template was only changed elsewhere.
        const std::optional<QString> title = m_dialogs.askText(
            m_window, keepNew, QStringLiteral("Title of the new template:"),
            deleted ? m_session.title() : m_session.title() + QStringLiteral(" (mine)"));
        if (!title || title->trimmed().isEmpty())
            return;
        m_session.setTitle(*title);
    }
    const CardFile::Resolution resolution = chosen == overwrite ? CardFile::Resolution::Overwrite
                                            : chosen == keepNew ? CardFile::Resolution::KeepAsNew
                                                                : CardFile::Resolution::ShowTheirs;
    const CardOutcome outcome = m_cards.resolve(resolution, *conflict);
    if (outcome.isConflict()) {
        resolveConflict(outcome);
        return;
    }
    if (!outcome.ok())
        m_card.report(outcome);
    keepNextKeyFromReplacing(m_window);
}

void TemplateEditor::DeleteTemplate()
{
    if (const CardOutcome outcome = m_cards.remove(); !outcome.ok())
        m_card.report(outcome);
    keepNextKeyFromReplacing(m_window);
}

void TemplateEditor::Exit()
{
    m_window->close();
}

bool TemplateEditor::hasUnsavedEdits() const
{
    return m_session.hasUnsavedChanges();
}

bool TemplateEditor::confirmClose()
{
    return askAboutUnsaved(QStringLiteral("Save them before closing?")).has_value();
}

std::optional<CardFile::Leaving> TemplateEditor::askBeforeLeaving()
{
    return askAboutUnsaved(QStringLiteral("Save them before going to another template?"));
}

std::optional<CardFile::Leaving> TemplateEditor::askAboutUnsaved(const QString& question)
{
    if (!hasUnsavedEdits())
        return CardFile::Leaving::Save;
    const QString save = QStringLiteral("Save");
    const QString discard = QStringLiteral("Discard");
    const int choice = m_dialogs.askChoice(
        m_window, QMessageBox::Warning, QStringLiteral("Unsaved changes"),
        QStringLiteral("The template \"%1\" has changes that are not saved.\n\n%2")
            .arg(m_session.title(), question),
        {save, discard});  // the question's own Cancel keeps the card
    if (choice == 1)
        return CardFile::Leaving::Discard;
    if (choice != 0)
        return std::nullopt;
    SaveTemplate();
    if (hasUnsavedEdits())
        return std::nullopt;
    return CardFile::Leaving::Save;
}

void TemplateEditor::focusBodyEnd()
{
    QPlainTextEdit* body = m_controls.bodyBox;
    QTextCursor cursor = body->textCursor();
    cursor.movePosition(QTextCursor::End);
    body->setTextCursor(cursor);
    body->setFocus(Qt::OtherFocusReason);
}

}  // namespace tagwright::mainwindow
