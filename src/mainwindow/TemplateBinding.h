#pragma once

#include "session/CardSession.h"
#include "store/StoreError.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>

namespace tagwright::store {
class TableCursor;
}

namespace tagwright::mainwindow {

// The refusal of a write without a title, numbered like the engine's refusal of a missing key.
inline constexpr int TitleRequired = 3058;

// Binds the card session's three titles to the current template's Description and its body
// to the template's Body. The card shows the record the templates cursor stands on; what the
// user types stays in the session until it is written, either by a command (New, Save, the
// title commit: pushChanges() or update()) or, when the window moves to another record, by
// the move itself. Every move of the templates cursor that the window makes goes through here, so
// typed text is never dropped by a move.
//
// The body box separates lines with "\n"; the stored Body and printing use CR LF.
//
// Title rules: a template is found by its title, so a record is never written without one
// (the write is refused with TitleRequired). A title box holding the refusal marker
// ("Error 3022", left there by a refused commit) asks for nothing: the record keeps the title
// it was shown with, never the marker nor the title that was refused.
class TemplateBinding : public QObject {
    Q_OBJECT
public:
    using ReportFailure = std::function<void(const store::StoreError&)>;
    using Move = std::function<void(store::TableCursor&)>;

    TemplateBinding(store::TableCursor& templates, session::CardSession& session,
                    ReportFailure reportFailure, QObject* parent = nullptr);

    // What a title box shows after the store refused its title as a duplicate.
    static QString refusalMarker();

    // Shows the current record's title and body (while a record is being added or edited,
    // its pending values); the boxes then hold no unsaved change.
    void show();

    bool hasUnsavedChange() const;
    bool titleChanged(int index) const;
    bool bodyChanged() const;

    // Sets what the user changed into the cursor's pending record, which must have been
    // begun with add-new or edit. The title becomes the changed box's text (an emptied box
    // sets a missing title), else the title the record was shown with: so a title refused
    // earlier and then typed back, or replaced by the refusal marker, leaves the pending
    // record, while an untouched long title is never cut to what its box can show.
    store::StoreError pushChanges();
    // True when the pending record (or the current one) has no title.
    bool titleMissing() const;
    // The refusal of a write without a title.
    static store::StoreError missingTitle();
    // pushChanges() and a write of the pending record. After a successful write the boxes
    // hold no unsaved change; a refused write leaves them as they are, still changed. A
    // record without a title is refused with TitleRequired and nothing is written.
    store::StoreError update();
    // Writes the boxes' unsaved changes into the current record (opening it for editing
    // unless a record is already being added or edited). Nothing to write succeeds, and so
    // does a change with no record to take it (an emptied table).
    store::StoreError writeChanges();

    // Writes unsaved changes, then runs `move` on the cursor and shows the record it lands
    // on. When the write is refused, or the record moved to cannot be read (a server out of
    // reach), the user sees the store's message, the cursor goes back to the record being
    // left, the boxes keep what they show and false is returned.
    bool changeRecord(const Move& move);
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool refresh();
    bool addNew();

    // The stored record the boxes show: its identity, the version read and its values.
    const session::RecordOnShow& recordOnShow() const { return m_session.recordOnShow(); }
    // The record on show was written by another command: what it now holds is on show.
    void recordWritten() { m_session.recordRewritten(m_templates); }

    // Body text between the box ("\n") and the store (CR LF).
    static QString storedBody(const QString& boxText);
    static QString shownBody(const QString& storedText);

Q_SIGNALS:
    // The body text changed by typing or by code other than show(): this is the "text
    // changed" reaction of the body box. A record shown after a move is no change of text.
    void bodyEdited();

private:
    store::TableCursor& m_templates;
    ReportFailure m_reportFailure;
    QVariant m_recordTitle;  // the title of the record on show, as stored (null: none)
    bool m_showing = false;
    session::CardSession& m_session;  // holds the record on show and the typed edits
};

}  // namespace tagwright::mainwindow
