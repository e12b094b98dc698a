#include "TemplateCard.h"

#include "ActivationWatch.h"
#include "ClickLabel.h"
#include "CommandActions.h"
#include "FocusRule.h"
#include "HeaderLines.h"
#include "LogoBox.h"
#include "MainWindowControls.h"
#include "TemplateMessages.h"

#include "session/CardFile.h"
#include "session/CardSession.h"
#include "session/ShopSettings.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>

namespace tagwright::mainwindow {

using session::CardOutcome;

TemplateCard::TemplateCard(MainWindowControls& controls, session::CardSession& session,
                           session::CardFile& cards, const session::ShopSettings& shop,
                           ui::UserDialogs& dialogs, QWidget* window,
                           CommandActions& commands)
    : m_controls(controls),
      m_session(session),
      m_cards(cards),
      m_shop(shop),
      m_dialogs(dialogs),
      m_window(window),
      m_commands(commands),
      m_headerLines(std::make_unique<HeaderLines>(controls, session))
{
    connect(&session, &session::CardSession::shown, this, [this] {
        ShowTitleTab(m_session.state().TabPos);
        reloadLogo();
    });
    m_activationWatch = new ActivationWatch(window);
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
        auto* shortcut = new QShortcut(key, m_window);
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
    return m_session.isEditing();
}

void TemplateCard::ShowTitleTab(int position)
{
    MainWindowControls& c = m_controls;
    position = ((position % 3) + 3) % 3;
    for (int line = 0; line < session::CardSession::HeaderLines; ++line)
        m_session.setAircraftValue(line, QString());
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
    m_session.state().TabPos = position;
}

void TemplateCard::EnterEditMode()
{
    m_session.enterEditing();
}

void TemplateCard::LeaveEditMode()
{
    m_session.leaveEditing();
}

void TemplateCard::reloadLogo()
{
    m_controls.logoBox->showFile(m_session.logo());
}

void TemplateCard::activate()
{
    session::MainState& state = m_session.state();
    if (state.LogoPending) {
        reloadLogo();
        state.LogoPending = false;
        return;
    }
    const std::optional<session::CardFile::Leaving> leaving = askLeaving();
    if (!leaving)
        return;  // the card stays as it is, with its changes
    const auto landed = m_cards.showTemplate(m_shop.stored().defaultLabel, *leaving);
    if (!landed) {
        report(landed.error());
        return;
    }
    // A template begun on an empty card shows every field at its default.
    if (*landed == session::CardFile::Landing::BegunNew) {
        state.TabPos = 0;
        m_session.show(store::Template());
    }
}

void TemplateCard::showTemplate(const QString& title)
{
    const std::optional<session::CardFile::Leaving> leaving = askLeaving();
    if (!leaving)
        return;
    const auto landed = m_cards.showTemplate(title, *leaving);
    if (!landed)
        report(landed.error());
}

std::optional<session::CardFile::Leaving> TemplateCard::askLeaving() const
{
    if (!m_cards.leavingNeedsAnswer() || !m_leaveQuestion)
        return session::CardFile::Leaving::Save;
    return m_leaveQuestion();
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
    MainWindowControls& c = m_controls;
    QLineEdit* title = c.titleBoxes[std::size_t(m_session.state().TabPos)];
    QWidget* focus = c.bodyBox->hasFocus() ? static_cast<QWidget*>(c.bodyBox)
                                           : title->hasFocus() ? title : nullptr;
    if (m_cards.isEmpty()) {
        // Nothing to step to: only Save goes.
        static_cast<void>(m_cards.page(step));
        return;
    }
    const std::optional<session::CardFile::Leaving> leaving = askLeaving();
    if (!leaving)
        return;  // Cancel: the card stays as it was, with its changes
    // The step hides the title box and the body: a focus in them would go on to the next
    // box round the card and select its text there.
    title->hide();
    c.bodyBox->hide();
    const CardOutcome outcome = m_cards.page(step, *leaving);
    c.bodyBox->show();
    if (!outcome.ok()) {
        // The card still shows the template it showed, with what was typed.
        title->show();
        report(outcome);
        if (focus && !focus->hasFocus())
            focus->setFocus(Qt::OtherFocusReason);
    } else if (focus) {
        c.bodyBox->setFocus(Qt::OtherFocusReason);
    }
    keepNextKeyFromReplacing(m_window);
}

void TemplateCard::report(const CardOutcome& outcome)
{
    using Step = CardOutcome::Step;
    QString heading;
    switch (outcome.step) {
    case Step::Writing: heading = QStringLiteral("Template not saved"); break;
    case Step::Reading: heading = QStringLiteral("Templates not read again"); break;
    case Step::Beginning: heading = QStringLiteral("New template not begun"); break;
    case Step::Deleting: heading = QStringLiteral("Template not deleted"); break;
    }
    showTemplateWriteFailure(m_dialogs, m_window, heading, outcome.error);
}

}  // namespace tagwright::mainwindow
