#include "TemplateEditor.h"

#include "FocusRule.h"
#include "MainWindowControls.h"
#include "TemplateBinding.h"
#include "TemplateCard.h"
#include "TemplateMessages.h"
#include "WindowSnapshot.h"
#include "UserDialogs.h"

#include "session/CardSession.h"
#include "session/MainState.h"
#include "session/TemplateValues.h"

#include "store/Schema.h"
#include "store/TableCursor.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace tagwright::mainwindow {

namespace labels = store::schema::labels;
using EditMode = store::TableCursor::EditMode;

TemplateEditor::TemplateEditor(const CardParts& parts, TemplateCard& card)
    : m_parts(parts), m_card(card), m_binding(card.binding())
{
    connectCommands();
    for (QLineEdit* box : parts.controls.titleBoxes)
        box->installEventFilter(this);
}

TemplateEditor::~TemplateEditor()
{
    // The boxes outlive this object while the window is torn down, and a box that had the
    // focus loses it then: that is no commit.
    for (QLineEdit* box : m_parts.controls.titleBoxes)
        box->removeEventFilter(this);
}

void TemplateEditor::connectCommands()
{
    const MainWindowControls& c = m_parts.controls;
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
    const auto& boxes = m_parts.controls.titleBoxes;
    for (int index = 0; index < int(boxes.size()); ++index) {
        if (boxes[std::size_t(index)] == watched && boxes[std::size_t(index)]->isVisible())
            CommitTitle(index);
    }
    return false;
}

void TemplateEditor::NewTemplate()
{
    store::StoreError error;
    const bool moved = m_binding.changeRecord([&error](store::TableCursor& cursor) {
        error = cursor.refresh();
        if (error.ok())
            error = cursor.addNew();
    });
    if (!moved)
        return;  // the binding told the user why the typed text could not be written
    if (!error.ok()) {
        reportFailure(QStringLiteral("New template not begun"), error);
        return;
    }
    m_parts.state.NewLabel = 1;
    m_card.ShowTitleTab(0);
    m_parts.controls.titleBoxes[0]->setFocus(Qt::OtherFocusReason);
    keepNextKeyFromReplacing(m_parts.window);
}

void TemplateEditor::CommitTitle(int index)
{
    if (m_parts.session.title(index).isEmpty())
        return;
    store::StoreError error = openRecordForWriting();
    const bool adding = m_parts.templates.editMode() == EditMode::Add;
    if (error.ok())
        error = m_binding.update();
    if (isConflict(error)) {
        resolveConflict(error);
        return;
    }
    if (!error.ok()) {
        reportFailure(QStringLiteral("Template not saved"), error);
        // The refused record stays pending: the next title the box is left with is tried.
        if (error.number == store::DuplicateKey)
            m_parts.session.setTitle(index, TemplateBinding::refusalMarker());
        return;
    }
    settleWrittenRecord(adding);
}

void TemplateEditor::SaveTemplate()
{
    store::TableCursor& templates = m_parts.templates;
    TemplateBinding& binding = m_binding;
    store::StoreError error = openRecordForWriting();
    if (error.ok())
        error = binding.pushChanges();
    if (!error.ok()) {
        reportFailure(QStringLiteral("Template not saved"), error);
        return;
    }
    // Templates are found by their titles: one without a title is not stored.
    if (binding.titleMissing()) {
        reportFailure(QStringLiteral("Template not saved"), TemplateBinding::missingTitle());
        return;
    }
    const bool adding = templates.editMode() == EditMode::Add;
    error = setTemplateFields();
    if (error.ok())
        error = binding.update();
    if (isConflict(error)) {
        resolveConflict(error);
        return;
    }
    if (!error.ok()) {
        reportFailure(QStringLiteral("Template not saved"), error);
        return;
    }
    settleWrittenRecord(adding);
    // Disabling the pressed Save button would hand the focus on round the window to the
    // title box, all selected, where the next key replaces the title: the body takes it.
    if (m_parts.controls.saveButton->hasFocus())
        focusBodyEnd();
    m_card.LeaveEditMode();
}

bool TemplateEditor::isConflict(const store::StoreError& error)
{
    return error.number == store::ChangedMeanwhile || error.number == store::DeletedMeanwhile;
}

// Another workstation changed or deleted the template on show since it was shown here: its
// work is not written over unasked, and the typing is not dropped unasked either.
void TemplateEditor::resolveConflict(const store::StoreError& error)
{
    const QString reload = QStringLiteral("Reload");
    const QString overwrite = QStringLiteral("Save mine over it");
    const QString keepNew = QStringLiteral("Keep as new template");
    const QString drop = QStringLiteral("Drop my changes");
    store::TableCursor& templates = m_parts.templates;
    // The choice answers for the version stored while the question is up: one written
    // after it is asked about again, never written over unseen.
    QVariant theirs;
    bool deleted = error.number == store::DeletedMeanwhile;
    if (!deleted) {
        const store::StoreError read = templates.storedVersion(theirs);
        deleted = read.number == store::DeletedMeanwhile;
        if (!read.ok() && !deleted) {
            reportFailure(QStringLiteral("Template not saved"), read);
            return;
        }
    }
    const QStringList choices = deleted ? QStringList{keepNew, drop}
                                        : QStringList{reload, overwrite, keepNew};
    const QString text = deleted
        ? QStringLiteral("Another workstation deleted this template after it was shown here.\n\n"
                         "Keep what you typed as a new template, or drop it?")
        : QStringLiteral("Another workstation changed this template after it was shown here.\n\n"
                         "Reload it to see their version (what you typed is dropped), save yours "
                         "over it, or keep yours as a new template?");
    const int choice = m_parts.dialogs.askChoice(
        m_parts.window, QMessageBox::Warning,
        deleted ? QStringLiteral("Template deleted elsewhere") : QStringLiteral("Template changed elsewhere"),
        text, choices);
    if (choice < 0)
        return;  // nothing written, the typing stays for another try
    const QString& chosen = choices[choice];
    if (chosen == reload || chosen == drop) {
        showStoredTemplate();
        return;
    }
    const bool adding = chosen == keepNew;
    store::StoreError outcome = adding ? templates.keepAsNewRecord()
                                       : templates.overwriteStoredVersion(theirs);
    if (outcome.ok())
        outcome = m_binding.update();
    if (isConflict(outcome)) {
        resolveConflict(outcome);
        return;
    }
    if (!outcome.ok()) {
        if (adding)
            m_parts.state.NewLabel = 1;
        reportFailure(QStringLiteral("Template not saved"), outcome);
        return;
    }
    settleWrittenRecord(adding);
    m_card.LeaveEditMode();
    keepNextKeyFromReplacing(m_parts.window);
}

// The template on show as it is stored now (or, when it is gone, the first one).
void TemplateEditor::showStoredTemplate()
{
    store::TableCursor& templates = m_parts.templates;
    const store::StoreError error = templates.reload();
    TemplateCard& card = m_card;
    card.binding().show();
    card.LoadTemplateFields();
    card.ShowTitleTab(m_parts.state.TabPos);
    card.LeaveEditMode();
    m_parts.state.NewLabel = 0;
    templates.edit();
    if (!error.ok())
        reportFailure(QStringLiteral("Templates not read again"), error);
}

void TemplateEditor::DeleteTemplate()
{
    store::TableCursor& templates = m_parts.templates;
    if (!templates.hasCurrent())
        return;
    if (templates.editMode() == EditMode::Add) {
        // The blank template on show was never written; deleting the stored template behind
        // it would remove one the user cannot see. Dropping the new one is the deletion.
        templates.cancelUpdate();
        m_parts.state.NewLabel = 0;
    } else if (refuseUnlessOnShow(QStringLiteral("Template not deleted"))) {
        return;
    } else if (store::StoreError error = templates.deleteCurrent(); !error.ok()) {
        // Deleted elsewhere already: what the user asked for is done.
        if (error.number != store::DeletedMeanwhile) {
            if (error.number == store::ChangedMeanwhile) {
                error.message = QStringLiteral("Another workstation changed this template after "
                                               "it was shown here, so it was not deleted. It is "
                                               "shown again as stored now.");
            }
            reportFailure(QStringLiteral("Template not deleted"), error);
            if (error.number == store::ChangedMeanwhile)
                showStoredTemplate();
            return;
        }
    }
    const store::StoreError error = templates.refresh();
    // Straight to the first record, past the binding's write: what was typed belonged to
    // the template just deleted.
    m_binding.show();
    if (!error.ok())
        reportFailure(QStringLiteral("Templates not read again"), error);
    keepNextKeyFromReplacing(m_parts.window);
}

// A command acts on the template on show, by its identity and the version shown. A record
// the store could not read is refused with the store's reason; one changed elsewhere since
// it was shown is refused and shown as stored now. True when refused.
bool TemplateEditor::refuseUnlessOnShow(const QString& title)
{
    store::TableCursor& templates = m_parts.templates;
    const session::RecordOnShow& onShow = m_parts.session.recordOnShow();
    if (onShow.isCurrentIn(templates))
        return false;
    if (!templates.readError().ok()) {
        reportFailure(title, templates.readError());
        return true;
    }
    if (onShow.stored() && templates.currentRowId() != onShow.key().id)
        templates.moveTo(onShow.key().id);
    reportFailure(title, {store::ChangedMeanwhile,
                          QStringLiteral("Another workstation changed this template after it "
                                         "was shown here, so nothing was done. It is shown "
                                         "again as stored now."),
                          QString()});
    showStoredTemplate();
    return true;
}

void TemplateEditor::Exit()
{
    m_parts.window->close();
}

bool TemplateEditor::hasUnsavedEdits()
{
    return m_parts.session.hasUnsavedChanges();
}

bool TemplateEditor::confirmClose()
{
    if (!hasUnsavedEdits())
        return true;
    const QString save = QStringLiteral("Save");
    const QString discard = QStringLiteral("Discard");
    const QString title = templateTitle(m_parts.session);
    const int choice = m_parts.dialogs.askChoice(
        m_parts.window, QMessageBox::Warning, QStringLiteral("Unsaved changes"),
        QStringLiteral("The template \"%1\" has changes that are not saved.\n\n"
                       "Save them before closing?").arg(title),
        {save, discard});  // the question's own Cancel keeps the window
    if (choice == 1)
        return true;
    if (choice != 0)
        return false;
    SaveTemplate();
    return !hasUnsavedEdits();
}

// The record on show ready to take values: a pending add or edit as it is, else the current
// record opened for editing; with no record at all (the last template deleted) what is
// typed begins a new template.
store::StoreError TemplateEditor::openRecordForWriting()
{
    store::TableCursor& templates = m_parts.templates;
    if (templates.editMode() != EditMode::None)
        return {};
    if (templates.hasCurrent()) {
        if (store::StoreError error = templates.edit(); !error.ok())
            return error;
        // Written over the version shown, not one read since: a change made elsewhere
        // meanwhile is asked about, as any other.
        const session::RecordOnShow& onShow = m_parts.session.recordOnShow();
        if (onShow.stored() && onShow.key().id == templates.currentRowId())
            return templates.overwriteStoredVersion(onShow.key().version);
        return {};
    }
    m_parts.state.NewLabel = 1;
    return templates.addNew();
}

store::StoreError TemplateEditor::setTemplateFields()
{
    const session::CardSession& session = m_parts.session;
    const session::BodyFont& font = session.bodyFont();
    session::TemplateValues values;
    values.fontName = font.FontName;
    values.fontSize = font.FontSize;
    values.bold = font.FontBold;
    values.italic = font.FontItalic;
    values.logo = session.logo();
    values.printsCompany = session.printsCompany();
    values.printsSignature = session.printsSignature();
    for (int line = 0; line < session::CardSession::HeaderLines; ++line)
        values.captions[std::size_t(line)] = session.caption(line);
    return values.setInto(m_parts.templates);
}

// After a write: a template just added is the last record, and becomes the one on show;
// either way the record stays open for editing.
void TemplateEditor::settleWrittenRecord(bool wasAdded)
{
    if (wasAdded)
        m_binding.moveLast();
    // With no current record left to open there is nothing to edit: the write stands.
    m_parts.templates.edit();
    m_parts.state.NewLabel = 0;
}

void TemplateEditor::focusBodyEnd()
{
    QPlainTextEdit* body = m_parts.controls.bodyBox;
    QTextCursor cursor = body->textCursor();
    cursor.movePosition(QTextCursor::End);
    body->setTextCursor(cursor);
    body->setFocus(Qt::OtherFocusReason);
}

void TemplateEditor::reportFailure(const QString& title, const store::StoreError& error)
{
    showTemplateWriteFailure(m_parts.dialogs, m_parts.window, title, error);
}

}  // namespace tagwright::mainwindow
