#include "HeaderLines.h"

#include "MainWindowControls.h"
#include "TemplateBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tagwright::mainwindow {

HeaderLines::HeaderLines(MainWindowControls& controls, TemplateBinding& binding,
                         std::function<void()> enterEditMode, std::function<void()> offerSave,
                         QObject* parent)
    : QObject(parent),
      m_controls(controls),
      m_enterEditMode(std::move(enterEditMode)),
      m_offerSave(std::move(offerSave))
{
    for (int line = 0; line < int(controls.captionBoxes.size()); ++line)
        connectCaption(line);
    connectOptions();
    connectEnterOrder();
    for (QLineEdit* box : controls.valueBoxes)
        box->installEventFilter(this);
    // A body change only makes the template worth saving; it does not leave browsing, so
    // the user may still page on (the move writes the text).
    connect(&binding, &TemplateBinding::bodyEdited, this,
            [this] { m_offerSave(); });
}

bool HeaderLines::isBlankCaption(const QString& caption)
{
    static const QString sixSpaces(6, QLatin1Char(' '));
    return QString::compare(caption, sixSpaces, Qt::CaseSensitive) <= 0;
}

void HeaderLines::showValueBoxByCaption(int line)
{
    const auto index = std::size_t(line);
    m_controls.valueBoxes[index]->setVisible(!isBlankCaption(m_controls.captionBoxes[index]->text()));
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

void HeaderLines::connectCaption(int line)
{
    connect(m_controls.captionBoxes[std::size_t(line)], &QLineEdit::textChanged, this,
            [this, line] {
                m_enterEditMode();
                showValueBoxByCaption(line);
            });
}

void HeaderLines::connectOptions()
{
    connect(m_controls.companyCheck, &QCheckBox::toggled, this, [this] { m_enterEditMode(); });
    connect(m_controls.signedCheck, &QCheckBox::toggled, this, [this](bool ticked) {
        m_enterEditMode();
        m_controls.signatoryHint->setVisible(ticked);
        m_controls.signatoryList->setVisible(ticked);
    });
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
