#include "CardFile.h"

#include "CardSession.h"

#include "store/TemplateStore.h"

#include <algorithm>

namespace tagwright::session {

using store::Template;
using store::TemplatePart;
using Step = CardOutcome::Step;

bool CardOutcome::isConflict() const
{
    return error.number == store::ChangedMeanwhile || error.number == store::DeletedMeanwhile;
}

CardFile::CardFile(store::TemplateStore& store, CardSession& session)
    : m_store(store), m_session(session)
{
}

QString CardFile::refusalMarker()
{
    return QStringLiteral("Error %1").arg(store::DuplicateKey);
}

store::StoreError CardFile::missingTitle()
{
    return {TitleRequired,
            QStringLiteral("A template needs a title to be found again. Type a title in the "
                           "yellow title box, or press Delete to drop a new template."),
            QString()};
}

CardOutcome CardFile::open()
{
    m_index = 0;
    return readOrder();
}

CardOutcome CardFile::readOrder()
{
    store::Result<QVector<store::TemplateTitle>> titles = m_store.titles();
    if (!titles)
        return {titles.error(), Step::Reading};
    m_ids.clear();
    m_ids.reserve(titles->size());
    for (const store::TemplateTitle& title : *titles)
        m_ids.append(title.id);
    return {};
}

// The title a write stores: the one typed, unless the box was not touched or holds the
// refusal marker; then the title the template was shown with (none for a new one).
QString CardFile::titleToWrite() const
{
    const QString& typed = m_session.title();
    if (m_session.titleEdited() && typed != refusalMarker())
        return typed;
    return m_session.storedTemplate().title;
}

// Whether the write about to be made adds a template: one begun by New, or, with no template
// left to take it (the last one deleted), what is typed begins one.
bool CardFile::beginWriting()
{
    MainState& state = m_session.state();
    if (!state.NewLabel && !m_session.storedTemplate().stored())
        state.NewLabel = true;
    return state.NewLabel;
}

store::Result<Template, CardOutcome> CardFile::write(store::TemplateParts parts, bool adding,
                                                     const QVariant& version)
{
    m_lastParts = parts;
    Template card = m_session.edited();
    card.title = titleToWrite();
    if (card.title.isEmpty())
        return CardOutcome{missingTitle()};
    // Only what changed of the title and body: an untouched long title is never cut to what
    // its box shows, and an untouched body keeps its own line breaks.
    if (!m_session.bodyEdited())
        parts.setFlag(TemplatePart::Body, false);
    if (!adding && card.title == m_session.storedTemplate().title)
        parts.setFlag(TemplatePart::Title, false);
    if (adding) {
        parts.setFlag(TemplatePart::Title);
    } else if (!version.isNull()) {
        card.key.version = version;
    }
    store::Result<Template> written = adding ? m_store.add(card, parts) : m_store.save(card, parts);
    if (!written)
        return CardOutcome{written.error()};
    if (adding) {
        m_ids.append(written->key.id);
        std::sort(m_ids.begin(), m_ids.end());
        m_session.state().NewLabel = false;
    }
    m_session.recordWritten(*written);
    return written.value();
}

// What was typed into the title and body, written to the template it was typed on before
// the card moves: a new template is added by it. Nothing typed, or no template left to take
// it (the last one was deleted): nothing is written.
CardOutcome CardFile::writeTyped()
{
    if (!m_session.titleOrBodyEdited())
        return {};
    const bool adding = m_session.state().NewLabel;
    if (!adding && !m_session.storedTemplate().stored())
        return {};
    return write(store::TemplateParts(TemplatePart::Title) | TemplatePart::Body, adding, {}).error();
}

bool CardFile::leavingNeedsAnswer() const
{
    return m_session.hasUnsavedChanges();
}

// Before a move: the card saved whole, or what differs dropped. A new template that is
// dropped is no longer being begun; the move goes on from the place it was begun at.
CardOutcome CardFile::settleLeaving(Leaving leaving)
{
    if (!leavingNeedsAnswer())
        return {};
    if (leaving == Leaving::Save)
        return save();
    m_session.state().NewLabel = false;
    m_session.leaveEditing();
    return {};
}

// A template just added is the last one and becomes current; its title and body are shown.
void CardFile::settleAdded(const Template& added)
{
    m_index = std::max(0, int(m_ids.indexOf(added.key.id)));
    m_session.showTitleAndBody(added);
}

store::Result<CardFile::Landing, CardOutcome> CardFile::showTemplate(const QString& title,
                                                                    Leaving leaving)
{
    MainState& state = m_session.state();
    if (m_ids.isEmpty())
        return beginFirst();
    if (CardOutcome settled = settleLeaving(leaving); !settled.ok())
        return settled;
    int index = 0;
    // An empty title names no template, even if some template's title is empty. A search
    // the store cannot answer finds nothing, and the first template is shown.
    if (!title.isEmpty()) {
        if (const store::Result<std::optional<qint64>> found = m_store.find(title); found && *found) {
            index = int(m_ids.indexOf(**found));
            // Added elsewhere since the order was read: the order is read again. Read or
            // not, the first template stands in.
            if (index < 0 && readOrder().ok())
                index = int(m_ids.indexOf(**found));
            index = std::max(index, 0);
        }
    }
    if (m_ids.isEmpty())
        return beginFirst();
    const store::Result<Template> shown = m_store.load(m_ids[index]);
    if (!shown)
        return CardOutcome{shown.error(), Step::Reading};
    m_index = index;
    state.NewLabel = false;
    state.TabPos = 0;
    m_session.show(*shown);
    return Landing::Shown;
}

// With no templates at all, a blank new one is begun.
CardFile::Landing CardFile::beginFirst()
{
    m_session.state().NewLabel = true;
    m_session.showTitleAndBody(Template());
    return Landing::BegunNew;
}

// The template `step` places from `from`, wrapping round, with the title tab it shows on. A
// template deleted elsewhere since the order was read is passed over.
store::Result<Template, CardOutcome> CardFile::loadStep(int from, int step, int& to, int& tab)
{
    const int tabPos = m_session.state().TabPos;
    for (;;) {
        to = from + step;
        tab = tabPos + step;
        if (to < 0) {
            to = count() - 1;
            tab = 2;
        } else if (to >= count()) {
            to = 0;
            tab = 0;
        }
        store::Result<Template> next = m_store.load(m_ids[to]);
        if (next)
            return next.value();
        if (next.error().number != store::DeletedMeanwhile || count() == 1)
            return CardOutcome{next.error(), Step::Reading};
        m_ids.removeAt(to);
        if (to < from)
            --from;
        if (to < m_index)
            --m_index;
    }
}

CardOutcome CardFile::page(int step, Leaving leaving)
{
    MainState& state = m_session.state();
    if (m_ids.isEmpty()) {
        m_session.setSaveOffered(false);
        return {};
    }
    // A new template saved by the step is the last template (and current): the step goes
    // on from there.
    CardOutcome outcome = settleLeaving(leaving);
    int to = 0;
    int tab = 0;
    if (outcome.ok()) {
        m_session.setSaveOffered(false);
        store::Result<Template, CardOutcome> next = loadStep(m_index, step, to, tab);
        if (next) {
            m_index = to;
            state.NewLabel = false;
            state.TabPos = tab < 0 ? 2 : tab > 2 ? 0 : tab;
            m_session.show(*next);
            return {};
        }
        outcome = next.error();
    }
    // The card still shows what it showed, with what was typed: it may be corrected and
    // saved, or the step tried again.
    m_session.setSaveOffered(m_session.isEditing() || m_session.titleOrBodyEdited());
    return outcome;
}

CardOutcome CardFile::newTemplate()
{
    if (CardOutcome written = writeTyped(); !written.ok())
        return written;
    if (CardOutcome read = readOrder(); !read.ok())
        return {read.error, Step::Beginning};
    m_index = 0;
    m_session.state().NewLabel = true;
    m_session.showTitleAndBody(Template());
    return {};
}

CardOutcome CardFile::commitTitle()
{
    if (m_session.title().isEmpty())
        return {};
    const bool adding = beginWriting();
    if (!adding && !m_session.titleOrBodyEdited())
        return {};
    store::Result<Template, CardOutcome> written =
        write(store::TemplateParts(TemplatePart::Title) | TemplatePart::Body, adding, {});
    if (!written)
        return written.error();
    if (adding)
        settleAdded(*written);
    return {};
}

CardOutcome CardFile::save()
{
    const bool adding = beginWriting();
    store::Result<Template, CardOutcome> written = write(store::AllTemplateParts, adding, {});
    if (!written)
        return written.error();
    if (adding)
        settleAdded(*written);
    m_session.leaveEditing();
    return {};
}

CardOutcome CardFile::remove()
{
    MainState& state = m_session.state();
    if (state.NewLabel) {
        // The blank template on show was never written; removing a stored one behind it would
        // take one the user cannot see. Dropping the new one is the deletion.
        if (m_ids.isEmpty())
            return {};
        state.NewLabel = false;
    } else {
        const Template& onShow = m_session.storedTemplate();
        if (!onShow.stored())
            return {};
        store::StoreError error = m_store.remove(onShow.key);
        if (error.number == store::ChangedMeanwhile) {
            error.message = QStringLiteral("Another workstation changed this template after it was "
                                           "shown here, so it was not deleted. It is shown again "
                                           "as stored now.");
            // Shown as stored now, or, when that cannot be read, as it was.
            static_cast<void>(showStored());
            return {error, Step::Deleting};
        }
        // Deleted elsewhere already: what the user asked for is done.
        if (!error.ok() && error.number != store::DeletedMeanwhile)
            return {error, Step::Deleting};
        m_ids.removeAll(onShow.key.id);
    }
    // Straight to the first template's title and body: what was typed belonged to the
    // template just deleted.
    m_index = 0;
    CardOutcome read = readOrder();
    Template first;
    if (read.ok() && !m_ids.isEmpty()) {
        store::Result<Template> loaded = m_store.load(m_ids.first());
        if (loaded)
            first = *loaded;
        else
            read = {loaded.error(), Step::Reading};
    }
    m_session.showTitleAndBody(first);
    return read;
}

CardOutcome CardFile::showStored()
{
    MainState& state = m_session.state();
    state.NewLabel = false;
    const qint64 shown = m_session.storedTemplate().key.id;
    CardOutcome outcome = readOrder();
    if (outcome.ok()) {
        m_index = std::max(0, int(m_ids.indexOf(shown)));
        if (m_ids.isEmpty()) {
            m_session.show(Template());
            return {};
        }
        store::Result<Template> stored = m_store.load(m_ids[m_index]);
        if (stored) {
            m_session.show(*stored);
            return {};
        }
        outcome = {stored.error(), Step::Reading};
    }
    // Not read again: the template as it was read when it was shown.
    m_session.show(m_session.storedTemplate());
    return outcome;
}

CardOutcome CardFile::storeFont(const printing::BodyFont& font)
{
    Template onShow = m_session.storedTemplate();
    onShow.fontName = font.FontName;
    onShow.fontSize = font.FontSize;
    onShow.bold = font.FontBold;
    onShow.italic = font.FontItalic;
    onShow.fontNamed = Template::FontNamed::Fully;
    if (!m_session.state().NewLabel) {
        store::Result<Template> written = m_store.save(onShow, TemplatePart::Font);
        if (!written)
            return {written.error()};
        onShow = *written;
    }
    m_session.recordRewritten(onShow);
    m_session.setBodyFont(font);
    return {};
}

store::Result<CardFile::Conflict, CardOutcome> CardFile::conflictAbout(const CardOutcome& refused) const
{
    if (refused.error.number == store::DeletedMeanwhile)
        return Conflict{true, {}};
    const store::Result<Template> stored = m_store.load(m_session.storedTemplate().key.id);
    if (stored)
        return Conflict{false, stored->key.version};
    if (stored.error().number == store::DeletedMeanwhile)
        return Conflict{true, {}};
    return CardOutcome{stored.error()};
}

// The template as it was stored when shown, with what the refused write changed taken from
// the card, as a new template.
store::Result<Template, CardOutcome> CardFile::keepAsNew()
{
    Template kept = m_session.storedTemplate();
    const Template card = m_session.edited();
    const store::TemplateParts parts = m_lastParts;
    if (parts.testFlag(TemplatePart::Body) && m_session.bodyEdited())
        kept.body = card.body;
    if (parts.testFlag(TemplatePart::Font)) {
        kept.fontName = card.fontName;
        kept.fontSize = card.fontSize;
        kept.bold = card.bold;
        kept.italic = card.italic;
    }
    if (parts.testFlag(TemplatePart::Logo))
        kept.logo = card.logo;
    if (parts.testFlag(TemplatePart::Options)) {
        kept.printsCompany = card.printsCompany;
        kept.printsSignature = card.printsSignature;
    }
    if (parts.testFlag(TemplatePart::Captions))
        kept.captions = card.captions;
    kept.title = titleToWrite();
    if (kept.title.isEmpty())
        return CardOutcome{missingTitle()};
    store::Result<Template> added = m_store.add(kept, store::AllTemplateParts);
    if (!added)
        return CardOutcome{added.error()};
    m_ids.append(added->key.id);
    std::sort(m_ids.begin(), m_ids.end());
    m_session.state().NewLabel = false;
    m_session.recordWritten(*added);
    return added.value();
}

CardOutcome CardFile::resolve(Resolution resolution, const Conflict& conflict)
{
    if (resolution == Resolution::ShowTheirs)
        return showStored();
    const bool adding = resolution == Resolution::KeepAsNew;
    store::Result<Template, CardOutcome> written =
        adding ? keepAsNew() : write(m_lastParts, false, conflict.theirs);
    if (!written) {
        // The typing waits, as a new template, for the next save.
        if (adding)
            m_session.state().NewLabel = true;
        return written.error();
    }
    if (adding)
        settleAdded(*written);
    m_session.leaveEditing();
    return {};
}

}  // namespace tagwright::session
