#pragma once

#include "session/CardFile.h"

#include <QObject>
#include <QString>

#include <optional>

class QWidget;

namespace tagwright::ui {
class UserDialogs;
}

namespace tagwright::session {
class CardSession;
}

namespace tagwright::mainwindow {

struct MainWindowControls;
class TemplateCard;

// The commands that change the set of templates: New, Save, Delete and Exit, and the commit
// of a title when the user leaves a title box. Buttons, menus and the title boxes all run
// these, so each behaves the same however it is reached; the card file does the work, and
// this puts the focus where the user goes on and asks and tells what is to be asked and told.
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
    TemplateEditor(MainWindowControls& controls, session::CardSession& session,
                   session::CardFile& cards, TemplateCard& card, ui::UserDialogs& dialogs,
                   QWidget* window);
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
    // Whether the card may move on to another template: with unsaved changes the user is
    // asked to save, discard or cancel. Save is done here (a refused save, or a conflict the
    // user leaves open, keeps the card: nothing); Discard is left to the move.
    std::optional<session::CardFile::Leaving> askBeforeLeaving();
    // Typing or a changed caption, option, font or logo not yet written.
    bool hasUnsavedEdits() const;
    // Writes the record when title box `index` (0..2) is left holding a title, changed or
    // not. A new template becomes the current record once its title is accepted.
    void CommitTitle(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void resolveConflict(const session::CardOutcome& refused);
    void focusBodyEnd();
    std::optional<session::CardFile::Leaving> askAboutUnsaved(const QString& question);

    MainWindowControls& m_controls;
    session::CardSession& m_session;
    session::CardFile& m_cards;
    TemplateCard& m_card;
    ui::UserDialogs& m_dialogs;
    QWidget* m_window;
};

}  // namespace tagwright::mainwindow
