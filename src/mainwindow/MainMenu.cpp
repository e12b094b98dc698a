#include "MainMenu.h"

#include "CommandActions.h"
#include "PdfExport.h"
#include "PrintPreview.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tagwright::mainwindow {

using session::Command;

MainMenu::MainMenu(QMenuBar* menuBar, QWidget* window, CommandActions& commands,
                   LabelSource& label)
    : QObject(window), m_menuBar(menuBar), m_window(window), m_commands(commands)
{
    setObjectName(QStringLiteral("MainMenu"));
    m_preview = new PrintPreview(label, this);
    m_pdfExport = new PdfExport(label, this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    addFileMenu();
    addTemplateMenu();
    addToolsAndHelpMenus();
}

QMenu* MainMenu::addMenu(const QString& title, const char* objectName)
{
    QMenu* menu = m_menuBar->addMenu(title);
    menu->setObjectName(QLatin1String(objectName));
    // A popup is a window of its own and takes no font from the menu bar.
    menu->setFont(m_window->font());
    return menu;
}

void MainMenu::addFileMenu()
{
    QMenu* file = addMenu(QStringLiteral("&File"), "menuFile");
    file->addAction(m_commands.action(Command::Print));
    addEntry(file, QStringLiteral("Print Pre&view..."), "actionPrintPreview", Command::Print,
             [this] { m_preview->open(); });
    addEntry(file, QStringLiteral("&Export PDF..."), "actionExportPdf", Command::Print,
             [this] { m_pdfExport->run(); });
    file->addSeparator();
    file->addAction(m_commands.printerSetup());
    file->addSeparator();
    file->addAction(m_commands.action(Command::Exit));
}

void MainMenu::addTemplateMenu()
{
    QMenu* menu = addMenu(QStringLiteral("&Template"), "menuTemplate");
    menu->addActions({m_commands.action(Command::New), m_commands.action(Command::Save),
                      m_commands.action(Command::Delete)});
    menu->addSeparator();
    menu->addActions({m_commands.action(Command::Font), m_commands.action(Command::Logo)});
    menu->addSeparator();
    menu->addActions({m_commands.next(), m_commands.previous()});
}

void MainMenu::addToolsAndHelpMenus()
{
    addMenu(QStringLiteral("T&ools"), "menuTools")->addAction(m_commands.action(Command::Setup));
    addMenu(QStringLiteral("&Help"), "menuHelp")->addAction(m_commands.about());
}

QAction* MainMenu::addEntry(QMenu* menu, const QString& text, const char* objectName,
                            Command command, std::function<void()> run)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    connect(action, &QAction::triggered, this, std::move(run));
    m_commands.follow(action, command);
    return action;
}

}  // namespace tagwright::mainwindow
