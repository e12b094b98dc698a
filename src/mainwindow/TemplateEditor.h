#pragma once

#include "CardParts.h"

#include "store/StoreError.h"

#include <QObject>
#include <QString>

namespace tagwright::mainwindow {

class TemplateBinding;
class TemplateCard;

// The commands that change the set of templates: New, Save, Delete and Exit, and the commit
// of a title when the user leaves a title box. Buttons, menus and the title boxes all run
// these, so each behaves the same however it is reached.
//
// A title is a template's key: a title that another template already has (letter case
// aside) is refused, and the user is asked to change it. A write refused for any other
// reason (a read-only or locked file, a full disk, a server out of reach) is reported with the
// engine's message and leaves the window as typed, so nothing is lost and the command can be
// tried again. A template another workstation changed or deleted since it was shown is never
// written over unasked: the user reloads it, saves over it, or keeps the typing as a new one.
class TemplateEditor : public QObject {
    Q_OBJECT
public:
    TemplateEditor(const CardParts& parts, TemplateCard& card);
    ~TemplateEditor() override;

    // Begins a blank template on the first title tab. The captions, options, font and logo
    // on show stay, so the new template starts from them and Save stores them with it.
    void NewTemplate();
    // Writes the template on show with every field the window holds; without a title
    // nothing is written and Save stays enabled.
    void SaveTemplate();
    // Removes the template on show at once and shows the first template's title and body;
    // the other fields keep what they show until the next display step.
    void DeleteTemplate();
    // Closes the window, as its close button does: see confirmClose().
    void Exit();
    // Whether the window may close: with nothing unsaved at once; otherwise the user is
    // asked to save, discard or cancel. Cancel, or a save that fails, keeps the window and
    // the typing.
    bool confirmClose();
    // Typing or a changed caption, option, font or logo not yet written.
    bool hasUnsavedEdits();
    // Writes the record when title box `index` (0..2) is left holding a title, changed or
    // not. A new template becomes the current record once its title is accepted.
    void CommitTitle(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    store::StoreError openRecordForWriting();
    store::StoreError setTemplateFields();
    void settleWrittenRecord(bool wasAdded);
    void focusBodyEnd();
    void reportFailure(const QString& title, const store::StoreError& error);
    static bool isConflict(const store::StoreError& error);
    void resolveConflict(const store::StoreError& error);
    bool refuseUnlessOnShow(const QString& title);
    void showStoredTemplate();

    CardParts m_parts;
    TemplateCard& m_card;
    TemplateBinding& m_binding;
};

}  // namespace tagwright::mainwindow
