#include "CommandActions.h"

#include "ClickLabel.h"
#include "MainWindowControls.h"

#include "session/CardSession.h"

#include <QAction>
#include <QPushButton>
#include <QToolButton>

namespace tagwright::mainwindow {

using session::Command;

namespace {

void press(QAbstractButton* button)
{
    if (button->isVisible() && (button->focusPolicy() & Qt::ClickFocus))
        button->setFocus(Qt::MouseFocusReason);
    button->click();
}

// The paging keys belong to the card's shortcuts; the entries only show them, for a second
// owner of the same key would make it ambiguous.
QString withKeyHint(const QString& text, Qt::Key key)
{
    return text + QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
}

}  // namespace

CommandActions::CommandActions(session::CardSession& session, const MainWindowControls& c,
                               QWidget* window)
    : QObject(window), m_session(session), m_controls(c), m_window(window)
{
    setObjectName(QStringLiteral("CommandActions"));
    const std::tuple<Command, QString, const char*, QAbstractButton*> buttons[] = {
        {Command::New, QStringLiteral("&New"), "actionNew", c.newButton},
        {Command::Save, QStringLiteral("&Save"), "actionSave", c.saveButton},
        {Command::Font, QStringLiteral("&Font..."), "actionFont", c.fontButton},
        {Command::Logo, QStringLiteral("&Logo..."), "actionLogo", c.logoButton},
        {Command::Print, QStringLiteral("&Print..."), "actionPrint", c.printButton},
        {Command::Exit, QStringLiteral("E&xit"), "actionExit", c.exitButton},
        {Command::Delete, QStringLiteral("&Delete"), "actionDelete", c.deleteButton},
        {Command::Setup, QStringLiteral("&Setup"), "actionSetup", c.setupButton},
    };
    for (const auto& [command, text, name, button] : buttons) {
        m_actions[command] = addAction(text, name, button);
        m_buttons[command] = button;
    }
    // No key for Delete: it belongs to the text boxes and the signatory list.
    action(Command::New)->setShortcuts(QKeySequence::keyBindings(QKeySequence::New));
    action(Command::Save)->setShortcuts(QKeySequence::keyBindings(QKeySequence::Save));
    action(Command::Print)->setShortcuts(QKeySequence::keyBindings(QKeySequence::Print));
    action(Command::Exit)->setShortcuts(QKeySequence::keyBindings(QKeySequence::Quit));

    m_next = addAction(withKeyHint(QStringLiteral("Ne&xt"), Qt::Key_PageDown), "actionNext", nullptr);
    m_previous = addAction(withKeyHint(QStringLiteral("&Previous"), Qt::Key_PageUp), "actionPrevious",
                           nullptr);
    m_actions[Command::Page] = m_next;
    follow(m_previous, Command::Page);
    // Zones 1 and 2 step forward, 3 and 4 back.
    for (std::size_t zone = 0; zone < c.pageZones.size(); ++zone) {
        QAction* step = zone < 2 ? m_next : m_previous;
        connect(c.pageZones[zone], &ClickLabel::clicked, step, &QAction::trigger);
    }
    // The setup features run these, with the setup panel's buttons; the mode does not
    // switch them.
    m_printerSetup = addAction(QStringLiteral("Printer Set-&up..."), "actionPrinterSetup", nullptr);
    m_about = addAction(QStringLiteral("&About"), "actionAbout", nullptr);

    connect(&session, &session::CardSession::modeChanged, this, &CommandActions::apply);
    apply();
}

QAction* CommandActions::addAction(const QString& text, const char* objectName,
                                   QAbstractButton* button)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(objectName));
    if (button)
        connect(action, &QAction::triggered, button, [button] { press(button); });
    return action;
}

void CommandActions::follow(QAction* action, Command command)
{
    m_followers.emplace_back(action, command);
    action->setEnabled(m_session.isEnabled(command));
}

// Buttons are set even when their action's state did not change, so one switched by other
// code is brought back in line with the mode.
void CommandActions::apply()
{
    for (Command command : session::AllCommands) {
        const bool enabled = m_session.isEnabled(command);
        m_actions.at(command)->setEnabled(enabled);
        if (auto button = m_buttons.find(command); button != m_buttons.end())
            button->second->setEnabled(enabled);
    }
    const bool paging = m_session.isEnabled(Command::Page);
    for (ClickLabel* zone : m_controls.pageZones)
        zone->setEnabled(paging);
    for (auto [action, command] : m_followers)
        action->setEnabled(m_session.isEnabled(command));
}

}  // namespace tagwright::mainwindow
