#include "HeaderLines.h"

#include "MainWindowControls.h"

#include "session/CardSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tagwright::mainwindow {

HeaderLines::HeaderLines(MainWindowControls& controls, session::CardSession& session,
                         QObject* parent)
    : QObject(parent), m_controls(controls), m_session(session)
{
    connectEdits();
    connectEnterOrder();
    for (QLineEdit* box : controls.valueBoxes)
        box->installEventFilter(this);
    connect(&session, &session::CardSession::captionChanged, this,
            &HeaderLines::showValueBoxByCaption);
    connect(&session, &session::CardSession::optionsChanged, this,
            &HeaderLines::showSignatoryByOption);
    showSignatoryByOption();
}

bool HeaderLines::isBlankCaption(const QString& caption)
{
    static const QString sixSpaces(6, QLatin1Char(' '));
    return QString::compare(caption, sixSpaces, Qt::CaseSensitive) <= 0;
}

void HeaderLines::showValueBoxByCaption(int line)
{
    m_controls.valueBoxes[std::size_t(line)]->setVisible(!isBlankCaption(m_session.caption(line)));
}

namespace {

// What a print leaves in an empty value box: a line to write on by hand.
bool holdsUnderscoreRun(const QString& text)
{
    return !text.isEmpty() && text.count(QLatin1Char('_')) == text.size();
}

bool startsTyping(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Paste))
        return true;
    const QString text = key.text();
    return !text.isEmpty() && text.front().isPrint()
        && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}  // namespace

// The run fills its box to the limit (the registration box takes exactly seven), so a key
// typed after it would be refused without a sound: the key replaces the run instead, as it
// would a selection.
bool HeaderLines::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && holdsUnderscoreRun(box->text()) && startsTyping(*static_cast<QKeyEvent*>(event)))
            box->selectAll();
    }
    return QObject::eventFilter(watched, event);
}

void HeaderLines::connectEdits()
{
    const auto enterEditing = [this] { m_session.enterEditing(); };
    for (QLineEdit* caption : m_controls.captionBoxes)
        connect(caption, &QLineEdit::textChanged, this, enterEditing);
    connect(m_controls.companyCheck, &QCheckBox::toggled, this, enterEditing);
    connect(m_controls.signedCheck, &QCheckBox::toggled, this, enterEditing);
    // A body change only makes the template worth saving; it does not leave browsing, so
    // the user may still page on (the step writes the text).
    connect(m_controls.bodyBox, &QPlainTextEdit::textChanged, this, [this] { m_session.offerSave(); });
}

void HeaderLines::showSignatoryByOption()
{
    const bool ticked = m_session.printsSignature();
    m_controls.signatoryHint->setVisible(ticked);
    m_controls.signatoryList->setVisible(ticked);
}

void HeaderLines::connectEnterOrder()
{
    for (int line = 0; line < int(m_controls.valueBoxes.size()); ++line) {
        connect(m_controls.valueBoxes[std::size_t(line)], &QLineEdit::returnPressed, this,
                [this, line] { focusAfterValueBox(line); });
    }
}

void HeaderLines::focusAfterValueBox(int line)
{
    // A hidden box cannot take the focus: Enter passes on to the next line that is in use,
    // and after the last value to the body box.
    const auto& boxes = m_controls.valueBoxes;
    for (std::size_t next = std::size_t(line) + 1; next < boxes.size(); ++next) {
        if (boxes[next]->isVisibleTo(boxes[next]->window())) {
            boxes[next]->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    m_controls.bodyBox->setFocus(Qt::TabFocusReason);
}

}  // namespace tagwright::mainwindow
