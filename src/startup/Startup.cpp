#include "Startup.h"

#include "FirstStart.h"
#include "LegacyConversionStep.h"
#include "MainWindowAssembly.h"
#include "StoreBootstrap.h"

#include "mainwindow/MainWindow.h"
#include "ui/UserDialogs.h"
#include "store/DataFolders.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace tagwright::startup {

Startup::Startup(ui::UserDialogs& dialogs, Folders folders)
    : m_dialogs(dialogs), m_folders(std::move(folders))
{
}

Startup::~Startup() = default;

void Startup::begin()
{
    const store::DataLocation location = store::decideDataLocation(m_folders.working, m_folders.program);
    m_defaultFolder = location.defaultDataFolder;
    m_splash = std::make_unique<SplashWindow>();
    if (store::StoreError error = openSetupDatabase(m_setupDatabase, location.setupFolder); !error.ok()) {
        fail(error);
        return;
    }
    connect(m_splash.get(), &SplashWindow::activated, this, &Startup::runSplashActivation);
    connect(&m_splash->startTimer(), &QTimer::timeout, this, &Startup::loadMainWindow);
    m_splash->show();
    m_splash->activateWindow();
    // Without a window manager (a bare X server, an offscreen session) the splash is never
    // activated: run its activation once anyway.
    QTimer::singleShot(0, this, [this] {
        if (!m_failed && !m_splash->startTimer().isActive() && !m_mainWindow)
            runSplashActivation();
    });
}

void Startup::runSplashActivation()
{
    if (m_failed || m_mainWindow)
        return;
    m_splash->startTimer().stop();
    const store::Result<QString> dataPath = ensureSetupRecord(m_setupDatabase, m_defaultFolder);
    if (!dataPath) {
        fail(dataPath.error());
        return;
    }
    m_dataPath = *dataPath;
    m_splash->startTimer().start();
}

void Startup::loadMainWindow()
{
    m_splash->startTimer().stop();
    if (store::StoreError error = openMainDatabase(m_mainDatabase, m_dataPath, m_defaultFolder);
        !error.ok()) {
        fail(error);
        return;
    }
    m_mainWindow = assembleMainWindow(m_mainDatabase, m_setupDatabase, m_dialogs);
    if (store::StoreError error = m_mainWindow->load(); !error.ok()) {
        m_mainWindow.reset();
        fail(error);
        return;
    }
    m_mainWindow->show();
    m_splash->unsetCursor();
    m_splash->close();
    Q_EMIT finished();
}

void Startup::fail(const store::StoreError& error)
{
    m_failed = true;
    if (m_splash)
        m_splash->hide();
    m_dialogs.showMessage(nullptr, QMessageBox::Critical, QStringLiteral("Tagwright"),
                          error.describe());
    Q_EMIT failed(1);
}

int runTagwright(QApplication& app)
{
    store::nameTheProgram(app);
    ui::QtUserDialogs dialogs;
    // The shop's Access files are converted (or left alone on Quit) before anything opens them.
    const store::DataLocation location = store::decideDataLocation(QDir::currentPath(), store::programFolder());
    if (firstStartQuestionDue(location)) {
        QtFirstStartDialogs firstStart;
        if (!askWhereTheShopIs(location, firstStart))
            return 0;
    }
    QtConversionDialogs conversionDialogs;
    switch (offerConversion(location.setupFolder, location.defaultDataFolder,
                            QDir(store::programFolder()).filePath(QStringLiteral("tagwright-cli")),
                            conversionDialogs)) {
    case ConversionChoice::Quit: return 0;
    case ConversionChoice::Failed: return 1;
    default: break;
    }
    Startup startup(dialogs, {QDir::currentPath(), store::programFolder()});
    int exitCode = 0;
    QObject::connect(&startup, &Startup::failed, &app, [&](int code) {
        exitCode = code;
        QTimer::singleShot(0, &app, [&app, code] { app.exit(code); });
    });
    startup.begin();
    const int loopCode = app.exec();
    return exitCode != 0 ? exitCode : loopCode;
}

}  // namespace tagwright::startup
