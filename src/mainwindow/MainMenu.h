#pragma once

#include <QHash>
#include <QKeySequence>
#include <QObject>

#include <functional>

class QAbstractButton;
class QAction;
class QMenu;
class QWidget;

namespace tagwright::mainwindow {

class MainWindow;
class PdfExport;
class PrintPreview;

// The menu bar: File, Template, Tools and Help. Every entry stands for a button (or page
// zone) of the window, is enabled exactly when that control is, and runs what a click on
// it runs, so the window's modes (browsing, editing, the setup and print panels) need no
// second bookkeeping. Print Preview and Export PDF follow the Print button.
class MainMenu : public QObject {
    Q_OBJECT
public:
    explicit MainMenu(MainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addFileMenu();
    void addTemplateMenu();
    void addToolsAndHelpMenus();
    QMenu* addMenu(const QString& title, const char* objectName);
    // An entry that clicks `button`.
    QAction* addButtonEntry(QMenu* menu, const QString& text, const char* objectName,
                            QAbstractButton* button, const QList<QKeySequence>& keys = {});
    // An entry that runs `run` while `control` is enabled.
    QAction* addEntry(QMenu* menu, const QString& text, const char* objectName, QWidget* control,
                      std::function<void()> run);
    void follow(QAction* action, QWidget* control);

    MainWindow& m_window;
    PrintPreview* m_preview = nullptr;
    PdfExport* m_pdfExport = nullptr;
    QMultiHash<QObject*, QAction*> m_followers;
};

// Gives `window` its menu bar.
void installMainMenu(MainWindow& window);

}  // namespace tagwright::mainwindow
