#include "TemplateBinding.h"

#include "store/FieldValues.h"
#include "store/Schema.h"
#include "store/TableCursor.h"

namespace tagwright::mainwindow {

namespace labels = store::schema::labels;

TemplateBinding::TemplateBinding(store::TableCursor& templates, session::CardSession& session,
                                 ReportFailure reportFailure, QObject* parent)
    : QObject(parent),
      m_templates(templates),
      m_reportFailure(std::move(reportFailure)),
      m_session(session)
{
    connect(&m_session, &session::CardSession::bodyChanged, this, [this] {
        if (!m_showing)
            Q_EMIT bodyEdited();
    });
}

QString TemplateBinding::storedBody(const QString& boxText)
{
    QString stored = boxText;
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return stored;
}

QString TemplateBinding::shownBody(const QString& storedText)
{
    QString shown = storedText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString TemplateBinding::refusalMarker()
{
    return QStringLiteral("Error %1").arg(store::DuplicateKey);
}

namespace {

bool sameTitle(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toString() == b.toString();
}

}  // namespace

void TemplateBinding::show()
{
    m_showing = true;
    m_recordTitle = m_templates.value(labels::Description);
    const QString title = store::fields::text(m_recordTitle);
    for (int tab = 0; tab < session::CardSession::TitleTabs; ++tab)
        m_session.setTitle(tab, title);
    m_session.setBody(shownBody(store::fields::text(m_templates.value(labels::Body))));
    m_showing = false;
    // What the card holds after showing, not what was set: a title box cuts a long title to
    // its 20 characters, and that alone is no change by the user.
    m_session.recordShown(m_templates);
}

bool TemplateBinding::titleChanged(int index) const
{
    return m_session.titleEdited(index);
}

bool TemplateBinding::bodyChanged() const
{
    return m_session.bodyEdited();
}

bool TemplateBinding::hasUnsavedChange() const
{
    for (int i = 0; i < session::CardSession::TitleTabs; ++i) {
        if (titleChanged(i))
            return true;
    }
    return bodyChanged();
}

store::StoreError TemplateBinding::pushChanges()
{
    // Only the box of the tab on show can be typed into; should code have changed more
    // than one, the last one changed in index order wins.
    QVariant title = m_recordTitle;
    for (int i = 0; i < session::CardSession::TitleTabs; ++i) {
        const QString& text = m_session.title(i);
        if (titleChanged(i) && text != refusalMarker())
            title = text.isEmpty() ? QVariant() : QVariant(text);
    }
    if (!sameTitle(title, m_templates.value(labels::Description))) {
        if (store::StoreError error = m_templates.setValue(labels::Description, title); !error.ok())
            return error;
    }
    if (bodyChanged())
        return m_templates.setValue(labels::Body, storedBody(m_session.body()));
    return {};
}

store::StoreError TemplateBinding::missingTitle()
{
    return {TitleRequired,
            QStringLiteral("A template needs a title to be found again. Type a title in the "
                           "yellow title box, or press Delete to drop a new template."),
            QString()};
}

bool TemplateBinding::titleMissing() const
{
    return store::fields::text(m_templates.value(labels::Description)).isEmpty();
}

store::StoreError TemplateBinding::update()
{
    if (store::StoreError error = pushChanges(); !error.ok())
        return error;
    if (titleMissing())
        return missingTitle();
    const QVariant written = m_templates.value(labels::Description);
    if (store::StoreError error = m_templates.update(); !error.ok())
        return error;
    m_recordTitle = written;
    m_session.recordShown(m_templates);
    return {};
}

store::StoreError TemplateBinding::writeChanges()
{
    if (!hasUnsavedChange())
        return {};
    if (m_templates.editMode() == store::TableCursor::EditMode::None) {
        if (!m_templates.hasCurrent())
            return {};
        if (store::StoreError error = m_templates.edit(); !error.ok())
            return error;
    }
    return update();
}

bool TemplateBinding::changeRecord(const Move& move)
{
    if (store::StoreError error = writeChanges(); !error.ok()) {
        if (m_reportFailure)
            m_reportFailure(error);
        return false;
    }
    const store::TableCursor::Mark left = m_templates.mark();
    move(m_templates);
    if (const store::StoreError error = m_templates.readError(); !error.ok()) {
        // A blank card would invite Delete or Save onto a record the user never saw.
        m_templates.returnTo(left);
        if (m_reportFailure)
            m_reportFailure(error);
        return false;
    }
    show();
    return true;
}

bool TemplateBinding::moveFirst()
{
    return changeRecord([](store::TableCursor& cursor) { cursor.moveFirst(); });
}

bool TemplateBinding::moveLast()
{
    return changeRecord([](store::TableCursor& cursor) { cursor.moveLast(); });
}

bool TemplateBinding::moveNext()
{
    return changeRecord([](store::TableCursor& cursor) { cursor.moveNext(); });
}

bool TemplateBinding::movePrevious()
{
    return changeRecord([](store::TableCursor& cursor) { cursor.movePrevious(); });
}

bool TemplateBinding::refresh()
{
    return changeRecord([](store::TableCursor& cursor) { cursor.refresh(); });
}

bool TemplateBinding::addNew()
{
    return changeRecord([](store::TableCursor& cursor) { cursor.addNew(); });
}

}  // namespace tagwright::mainwindow
