#include "MainMenu.h"

#include "ClickLabel.h"
#include "MainWindow.h"
#include "PdfExport.h"
#include "PrintPreview.h"
#include "TemplateCard.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace tagwright::mainwindow {

namespace {

// What a mouse click on the button does: the focus moves to the button first, so a title
// or value box being left reacts as it would (a title commits), then the button's click.
void press(QAbstractButton* button)
{
    if (button->isVisible() && (button->focusPolicy() & Qt::ClickFocus))
        button->setFocus(Qt::MouseFocusReason);
    button->click();
}

// The paging keys belong to the card, which enables them with its page zones; the entries
// only show them, for a second owner of the same key would make it ambiguous.
QString withKeyHint(const QString& text, Qt::Key key)
{
    return text + QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
}

}  // namespace

MainMenu::MainMenu(MainWindow& window) : QObject(&window), m_window(window)
{
    setObjectName(QStringLiteral("MainMenu"));
    m_preview = new PrintPreview(window);
    m_pdfExport = new PdfExport(window);
    window.menuBar()->setObjectName(QStringLiteral("menuBar"));
    addFileMenu();
    addTemplateMenu();
    addToolsAndHelpMenus();
}

QMenu* MainMenu::addMenu(const QString& title, const char* objectName)
{
    QMenu* menu = m_window.menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(objectName));
    // A popup is a window of its own and takes no font from the menu bar.
    menu->setFont(m_window.font());
    return menu;
}

void MainMenu::addFileMenu()
{
    const MainWindowControls& c = m_window.controls();
    QMenu* file = addMenu(QStringLiteral("&File"), "menuFile");
    addButtonEntry(file, QStringLiteral("&Print..."), "actionPrint", c.printButton,
                   QKeySequence::keyBindings(QKeySequence::Print));
    addEntry(file, QStringLiteral("Print Pre&view..."), "actionPrintPreview", c.printButton,
             [this] { m_preview->open(); });
    addEntry(file, QStringLiteral("&Export PDF..."), "actionExportPdf", c.printButton,
             [this] { m_pdfExport->run(); });
    file->addSeparator();
    addButtonEntry(file, QStringLiteral("Printer Set-&up..."), "actionPrinterSetup",
                   c.printerSetupButton);
    file->addSeparator();
    addButtonEntry(file, QStringLiteral("E&xit"), "actionExit", c.exitButton,
                   QKeySequence::keyBindings(QKeySequence::Quit));
}

void MainMenu::addTemplateMenu()
{
    const MainWindowControls& c = m_window.controls();
    QMenu* menu = addMenu(QStringLiteral("&Template"), "menuTemplate");
    addButtonEntry(menu, QStringLiteral("&New"), "actionNew", c.newButton,
                   QKeySequence::keyBindings(QKeySequence::New));
    addButtonEntry(menu, QStringLiteral("&Save"), "actionSave", c.saveButton,
                   QKeySequence::keyBindings(QKeySequence::Save));
    // No key: Delete belongs to the text boxes and the signatory list.
    addButtonEntry(menu, QStringLiteral("&Delete"), "actionDelete", c.deleteButton);
    menu->addSeparator();
    addButtonEntry(menu, QStringLiteral("&Font..."), "actionFont", c.fontButton);
    addButtonEntry(menu, QStringLiteral("&Logo..."), "actionLogo", c.logoButton);
    menu->addSeparator();
    // Zones 1 and 2 step forward, 3 and 4 back; each pair is enabled as one.
    addEntry(menu, withKeyHint(QStringLiteral("Ne&xt"), Qt::Key_PageDown), "actionNext",
             c.pageZones[0], [this] { m_window.card().pageForward(); });
    addEntry(menu, withKeyHint(QStringLiteral("&Previous"), Qt::Key_PageUp), "actionPrevious",
             c.pageZones[2], [this] { m_window.card().pageBack(); });
}

void MainMenu::addToolsAndHelpMenus()
{
    const MainWindowControls& c = m_window.controls();
    QMenu* tools = addMenu(QStringLiteral("T&ools"), "menuTools");
    addButtonEntry(tools, QStringLiteral("&Setup"), "actionSetup", c.setupButton);
    QMenu* help = addMenu(QStringLiteral("&Help"), "menuHelp");
    addButtonEntry(help, QStringLiteral("&About"), "actionAbout", c.informationButton);
}

QAction* MainMenu::addButtonEntry(QMenu* menu, const QString& text, const char* objectName,
                                  QAbstractButton* button, const QList<QKeySequence>& keys)
{
    QAction* action = addEntry(menu, text, objectName, button, [button] { press(button); });
    action->setShortcuts(keys);
    return action;
}

QAction* MainMenu::addEntry(QMenu* menu, const QString& text, const char* objectName,
                            QWidget* control, std::function<void()> run)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(objectName));
    connect(action, &QAction::triggered, this, std::move(run));
    follow(action, control);
    return action;
}

void MainMenu::follow(QAction* action, QWidget* control)
{
    action->setEnabled(control->isEnabled());
    if (!m_followers.contains(control))
        control->installEventFilter(this);
    m_followers.insert(control, action);
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        const bool enabled = static_cast<QWidget*>(watched)->isEnabled();
        for (QAction* action : m_followers.values(watched))
            action->setEnabled(enabled);
    }
    return QObject::eventFilter(watched, event);
}

void installMainMenu(MainWindow& window)
{
    new MainMenu(window);
}

}  // namespace tagwright::mainwindow
