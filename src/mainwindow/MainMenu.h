#pragma once

#include "session/WindowMode.h"

#include <QObject>

#include <functional>

class QAction;
class QMenuBar;
class QMenu;
class QWidget;

namespace tagwright::mainwindow {

class CommandActions;
class LabelSource;
class PdfExport;
class PrintPreview;

// The menu bar: File, Template, Tools and Help. The entries are the window's command
// actions (CommandActions), the same ones its buttons and page zones show, so the window's
// modes need no second bookkeeping. Print Preview and Export PDF follow Print.
class MainMenu : public QObject {
    Q_OBJECT
public:
    // The menus go into `menuBar`, which belongs to `window`.
    MainMenu(QMenuBar* menuBar, QWidget* window, CommandActions& commands, LabelSource& label);

private:
    void addFileMenu();
    void addTemplateMenu();
    void addToolsAndHelpMenus();
    QMenu* addMenu(const QString& title, const char* objectName);
    // An entry of its own that runs `run` while `command` is enabled.
    QAction* addEntry(QMenu* menu, const QString& text, const char* objectName,
                      session::Command command, std::function<void()> run);

    QMenuBar* m_menuBar;
    QWidget* m_window;
    CommandActions& m_commands;
    PrintPreview* m_preview = nullptr;
    PdfExport* m_pdfExport = nullptr;
};

}  // namespace tagwright::mainwindow
