#pragma once

#include "printing/PrintRequest.h"
#include "store/Result.h"
#include "store/Template.h"

#include <QVector>

namespace tagwright::store {
class TemplateStore;
}

namespace tagwright::session {

class CardSession;

// The refusal of a write without a title, numbered like the engine's refusal of a missing key.
inline constexpr int TitleRequired = 3058;

// How a card command ended: done, or the store's reason and the step it stopped at.
struct [[nodiscard]] CardOutcome {
    enum class Step { Writing, Reading, Beginning, Deleting };

    store::StoreError error;
    Step step = Step::Writing;

    bool ok() const { return error.ok(); }
    // Another workstation changed or deleted the template since it was shown here.
    bool isConflict() const;
};

// The card file the window pages through: the templates in card order, the place of the one
// on show, and the commands that move through them, write them and remove them. Each loads
// or writes whole templates through the store and shows them on the card session.
//
// A move away from a card that differs from its stored template (paging, showing another
// template by its title) is told what to do with the difference: save the card first, or
// discard it. The window asks the user; nothing is written on the way past unasked. A save
// that is refused leaves the card as it was, with the typing, and the move undone. A
// template is found by its title, so none is written without one (TitleRequired). A title that holds the refusal marker ("Error 3022", left by a refused
// commit) asks for nothing: the template keeps the title it was shown with.
class CardFile {
public:
    CardFile(store::TemplateStore& store, CardSession& session);

    // What the title box shows after the store refused its title as a duplicate.
    static QString refusalMarker();
    static store::StoreError missingTitle();

    // Reads the card order; the first template is current.
    CardOutcome open();
    bool isEmpty() const { return m_ids.isEmpty(); }
    int count() const { return int(m_ids.size()); }
    // The place of the current template in the card order.
    int index() const { return m_index; }

    // What a move does with a card that differs from its stored template: writes all of it
    // first (as Save does), or drops it (the stored template keeps what it holds).
    enum class Leaving { Save, Discard };
    // Whether a move away needs to be told what to do: the card differs from its template.
    bool leavingNeedsAnswer() const;

    enum class Landing { Shown, BegunNew };
    // Shows the template titled `title` (letter case aside), else the first one. With no
    // templates at all a blank new template is begun and only its empty title and body are
    // shown (BegunNew).
    store::Result<Landing, CardOutcome> showTemplate(const QString& title,
                                                     Leaving leaving = Leaving::Save);
    // One step through the templates, forward (1) or back (-1), wrapping at both ends; the
    // title tab moves with it, to 0 after the last and to 2 before the first. With no
    // templates it only takes Save away.
    CardOutcome page(int step, Leaving leaving = Leaving::Save);

    // Begins a blank template on the first title tab; the captions, options, font and logo on
    // show stay, so the new template starts from them.
    CardOutcome newTemplate();
    // The title was left holding text: the template on show is written (or the new one
    // added, and then it is current).
    CardOutcome commitTitle();
    // Writes every field the card holds; without a title nothing is written.
    CardOutcome save();
    // Removes the template on show (a new one not yet written is only dropped); the first
    // template's title and body are shown, the card's other fields stay.
    CardOutcome remove();
    // The template on show as stored now, whole (the first one when it is gone).
    CardOutcome showStored();
    // The body font chosen for the template on show: a stored template takes it at once, a
    // new one keeps it until it is saved.
    CardOutcome storeFont(const printing::BodyFont& font);

    // A write refused because another workstation changed or deleted the template: which
    // it was, and the version stored while the user is asked.
    struct Conflict {
        bool deleted = false;
        QVariant theirs;
    };
    store::Result<Conflict, CardOutcome> conflictAbout(const CardOutcome& refused) const;
    enum class Resolution { ShowTheirs, Overwrite, KeepAsNew };
    // Acts on the user's answer: shows the stored template (the typing dropped), writes the
    // card over the version the question was about (refused as a conflict again when it was
    // changed once more), or adds the card as a new template.
    CardOutcome resolve(Resolution resolution, const Conflict& conflict);

private:
    CardOutcome readOrder();
    Landing beginFirst();
    CardOutcome writeTyped();
    CardOutcome settleLeaving(Leaving leaving);
    bool beginWriting();
    QString titleToWrite() const;
    store::Result<store::Template, CardOutcome> write(store::TemplateParts parts, bool adding,
                                                      const QVariant& version);
    store::Result<store::Template, CardOutcome> keepAsNew();
    void settleAdded(const store::Template& added);
    store::Result<store::Template, CardOutcome> loadStep(int from, int step, int& to, int& tab);

    store::TemplateStore& m_store;
    CardSession& m_session;
    QVector<qint64> m_ids;  // card order, as last read, with the templates added here
    int m_index = 0;
    store::TemplateParts m_lastParts;  // what the last write asked to store
};

}  // namespace tagwright::session
