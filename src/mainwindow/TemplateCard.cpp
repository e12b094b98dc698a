#include "TemplateCard.h"

#include "ActivationWatch.h"
#include "ClickLabel.h"
#include "CommandActions.h"
#include "FocusRule.h"
#include "HeaderLines.h"
#include "LogoBox.h"
#include "MainWindowControls.h"
#include "TemplateBinding.h"
#include "TemplateMessages.h"

#include "session/CardSession.h"
#include "session/MainState.h"
#include "store/TableCursor.h"
#include "UserDialogs.h"

#include "store/FieldValues.h"
#include "store/Schema.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace tagwright::mainwindow {

namespace labels = store::schema::labels;
namespace fields = store::fields;

TemplateCard::TemplateCard(const CardParts& parts, CommandActions& commands)
    : m_parts(parts), m_commands(commands)
{
    MainWindowControls& c = parts.controls;
    m_binding = std::make_unique<TemplateBinding>(
        parts.templates, parts.session,
        [parts](const store::StoreError& error) {
            showTemplateWriteFailure(parts.dialogs, parts.window, QStringLiteral("Template not saved"),
                                     error);
        });
    m_headerLines = std::make_unique<HeaderLines>(
        c, *m_binding, [this] { EnterEditMode(); }, [this] { m_parts.session.offerSave(); });
    m_activationWatch = new ActivationWatch(parts.window);
    connect(m_activationWatch, &ActivationWatch::activated, this, &TemplateCard::activate);
    connectPaging();
}

TemplateCard::~TemplateCard() = default;

void TemplateCard::connectPaging()
{
    CommandActions& commands = m_commands;
    connect(commands.next(), &QAction::triggered, this, &TemplateCard::pageForward);
    connect(commands.previous(), &QAction::triggered, this, &TemplateCard::pageBack);
    // The keys page only while a click on a zone would. A disabled shortcut leaves its key
    // to the box with the focus, so the keys keep their own meaning while editing.
    const auto pageByKey = [this](QKeySequence key, QAction* step) {
        auto* shortcut = new QShortcut(key, m_parts.window);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setEnabled(step->isEnabled());
        connect(shortcut, &QShortcut::activated, step, &QAction::trigger);
        connect(step, &QAction::enabledChanged, shortcut, &QShortcut::setEnabled);
        m_pageShortcuts.push_back(shortcut);
    };
    pageByKey(QKeySequence(Qt::Key_PageDown), commands.next());
    pageByKey(QKeySequence(Qt::Key_PageUp), commands.previous());
}

bool TemplateCard::isEditing() const
{
    return m_parts.session.isEditing();
}

void TemplateCard::ShowTitleTab(int position)
{
    MainWindowControls& c = m_parts.controls;
    position = ((position % 3) + 3) % 3;
    for (QLineEdit* box : c.valueBoxes)
        box->clear();
    for (int line = 0; line < int(c.valueBoxes.size()); ++line)
        m_headerLines->showValueBoxByCaption(line);
    for (int tab = 0; tab < 3; ++tab)
        c.titleBoxes[std::size_t(tab)]->setVisible(tab == position);
    // At position 0 the rows show their right, middle and left bar; each step moves every
    // row's bar one column to the right, wrapping round.
    const int columnAtZero[3] = {2, 1, 0};
    for (int row = 0; row < 3; ++row) {
        const int shown = (columnAtZero[row] + position) % 3;
        for (int column = 0; column < 3; ++column)
            c.tabBars[std::size_t(row * 3 + column)]->setVisible(column == shown);
    }
    m_parts.state.TabPos = qint16(position);
}

void TemplateCard::EnterEditMode()
{
    m_parts.session.enterEditing();
}

void TemplateCard::LeaveEditMode()
{
    m_parts.session.leaveEditing();
}

void TemplateCard::LoadTemplateFields()
{
    setTemplateFont();
    setLogoFromRecord();
    setOptionsFromRecord();
    setCaptionsFromRecord();
}

void TemplateCard::setTemplateFont()
{
    const store::TableCursor& templates = m_parts.templates;
    m_parts.session.setBodyFont({fields::fontName(templates.value(labels::Font)),
                                 fields::fontSize(templates.value(labels::Size)),
                                 fields::bold(templates.value(labels::Bold)),
                                 fields::italic(templates.value(labels::Italic))});
}

void TemplateCard::setLogoFromRecord()
{
    m_parts.session.setLogo(fields::text(m_parts.templates.value(labels::Logo)));
    reloadLogo();
}

void TemplateCard::setOptionsFromRecord()
{
    const store::TableCursor& templates = m_parts.templates;
    MainWindowControls& c = m_parts.controls;
    c.companyCheck->setChecked(fields::flag(templates.value(labels::Header)));
    c.signedCheck->setChecked(fields::flag(templates.value(labels::Signed)));
}

void TemplateCard::setCaptionsFromRecord()
{
    const store::TableCursor& templates = m_parts.templates;
    MainWindowControls& c = m_parts.controls;
    // Right column first, as the template lists them; the boxes are held in header order.
    const std::pair<const QString&, std::size_t> captions[] = {
        {labels::LabelTop, 3}, {labels::LabelMiddle, 4}, {labels::LabelBottom, 5},
        {labels::LeftTop, 0},  {labels::LeftMiddle, 1},  {labels::LeftBottom, 2},
    };
    for (const auto& [field, box] : captions)
        c.captionBoxes[box]->setText(fields::text(templates.value(field)));
}

void TemplateCard::reloadLogo()
{
    m_parts.controls.logoBox->showFile(m_parts.session.logo());
}

void TemplateCard::activate()
{
    session::MainState& state = m_parts.state;
    if (state.LogoPending == 1) {
        reloadLogo();
        state.LogoPending = 0;
        return;
    }
    goToTemplate(m_parts.controls.defaultLabelList->currentText());
    LoadTemplateFields();
    ShowTitleTab(0);
    LeaveEditMode();
}

bool TemplateCard::goToTemplate(const QString& title)
{
    store::TableCursor& templates = m_parts.templates;
    if (templates.bof() && templates.eof()) {
        if (m_binding->addNew())
            m_parts.state.NewLabel = 1;
        return false;
    }
    m_binding->changeRecord([&title](store::TableCursor& cursor) {
        // An empty title names no template, even if some record's title is empty.
        if (title.isEmpty() || !cursor.findFirst(labels::Description, title))
            cursor.moveFirst();
    });
    return true;
}

void TemplateCard::pageForward()
{
    page(1);
}

void TemplateCard::pageBack()
{
    page(-1);
}

void TemplateCard::page(int step)
{
    MainWindowControls& c = m_parts.controls;
    session::MainState& state = m_parts.state;
    store::TableCursor& templates = m_parts.templates;
    m_parts.session.setSaveOffered(false);
    if (templates.bof() && templates.eof())
        return;
    const int shownTab = state.TabPos;
    // The step hides the title box and the body: a focus in them would go on to the next
    // box round the card and select its text there.
    const bool focusOnCard = c.bodyBox->hasFocus() || c.titleBoxes[std::size_t(shownTab)]->hasFocus();
    // A new template whose title was typed but never left is written by the move: like the
    // title commit, the step then starts from it, the last template, so forward wraps to the
    // first with the tab at the left.
    const bool addingWritten = state.NewLabel == 1 && m_binding->hasUnsavedChange();
    const bool moved = m_binding->changeRecord([&](store::TableCursor& cursor) {
        c.titleBoxes[std::size_t(state.TabPos)]->hide();
        c.bodyBox->hide();
        state.TabPos = qint16(state.TabPos + step);
        if (addingWritten)
            cursor.moveLast();
        step > 0 ? cursor.moveNext() : cursor.movePrevious();
        if (cursor.bof()) {
            cursor.moveLast();
            state.TabPos = 2;
        } else if (cursor.eof()) {
            cursor.moveFirst();
            state.TabPos = 0;
        }
        cursor.edit();
    });
    if (!moved) {
        // The card still shows the record it showed, with what was typed: the user may
        // correct and save it, or try the step again.
        state.TabPos = qint16(shownTab);
        c.titleBoxes[std::size_t(shownTab)]->show();
        c.bodyBox->show();
        m_parts.session.setSaveOffered(isEditing() || m_binding->hasUnsavedChange());
        // Back into the body only when the step had already hidden the box with the focus:
        // a title box still holding it would commit again on leaving.
        if (focusOnCard && !c.bodyBox->hasFocus() && !c.titleBoxes[std::size_t(shownTab)]->hasFocus())
            c.bodyBox->setFocus(Qt::OtherFocusReason);
        keepNextKeyFromReplacing(m_parts.window);
        return;
    }
    state.NewLabel = 0;
    if (state.TabPos < 0)
        state.TabPos = 2;
    else if (state.TabPos > 2)
        state.TabPos = 0;
    setTemplateFont();
    c.bodyBox->show();
    setLogoFromRecord();
    setOptionsFromRecord();
    setCaptionsFromRecord();
    ShowTitleTab(state.TabPos);
    LeaveEditMode();
    if (focusOnCard)
        c.bodyBox->setFocus(Qt::OtherFocusReason);
    keepNextKeyFromReplacing(m_parts.window);
}

}  // namespace tagwright::mainwindow
