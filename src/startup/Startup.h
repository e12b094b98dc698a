#pragma once

#include "SplashWindow.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QObject>

#include <memory>

class QApplication;

namespace tagwright::ui {
class UserDialogs;
}
namespace tagwright::mainwindow {
class MainWindow;
}

namespace tagwright::startup {

// Brings the program from launch to the loaded main window: the splash window makes sure
// the setup record names the main database's folder, and a second later the main window
// is loaded and shown and the splash closes. A database that cannot be opened is reported
// with the engine's message and the file's path, and the program ends: never a half-opened
// main window.
class Startup : public QObject {
    Q_OBJECT
public:
    struct Folders {
        QString working;   // the folder the program was started in
        QString program;   // the executable's folder
        // store::decideDataLocation() makes of them where "SetupTGW.MDB" is and what a
        // missing DataPath means.
    };

    Startup(ui::UserDialogs& dialogs, Folders folders);
    ~Startup() override;

    // Opens the setup database and shows the splash window.
    void begin();

    SplashWindow* splash() const { return m_splash.get(); }
    mainwindow::MainWindow* mainWindow() const { return m_mainWindow.get(); }
    store::Database& setupDatabase() { return m_setupDatabase; }
    store::Database& mainDatabase() { return m_mainDatabase; }
    QString dataPath() const { return m_dataPath; }

Q_SIGNALS:
    // After the error was shown; the program should end with `exitCode`.
    void failed(int exitCode);
    // The main window is up and the splash window closed.
    void finished();

private:
    void runSplashActivation();
    void loadMainWindow();
    void fail(const store::StoreError& error);

    ui::UserDialogs& m_dialogs;
    Folders m_folders;
    QString m_defaultFolder;
    QString m_dataPath;
    store::Database m_setupDatabase;
    store::Database m_mainDatabase;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<mainwindow::MainWindow> m_mainWindow;
    bool m_failed = false;
};

// The program: start-up under `app`, then its event loop. Returns the exit status.
int runTagwright(QApplication& app);

}  // namespace tagwright::startup
