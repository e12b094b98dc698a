#include "FirstStart.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/ShopOnServer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tagwright::startup {

namespace schema = store::schema;

bool firstStartQuestionDue(const store::DataLocation& location)
{
    return location.rule == store::DataLocation::Rule::Installed
        && !QFileInfo::exists(location.setupPath());
}

namespace {

bool writeSetup(const store::DataLocation& location, const QString& dataPath,
                FirstStartDialogs& dialogs)
{
    store::Database setup;
    store::StoreError error = store::openSetupFile(setup, location.setupPath());
    if (error.ok())
        error = store::writeDataPath(setup, dataPath);
    if (!error.ok())
        dialogs.showProblem(error.describe());
    return error.ok();
}

// A folder is the shop's when it holds QUILLON.MDB, whichever program wrote it.
bool useShopFolder(const store::DataLocation& location, FirstStartDialogs& dialogs)
{
    QString start = QDir::homePath();
    for (;;) {
        const QString folder = dialogs.chooseShopFolder(start);
        if (folder.isEmpty())
            return false;
        if (QFileInfo(schema::mainDatabasePath(folder)).isFile())
            return writeSetup(location, QDir::toNativeSeparators(folder), dialogs);
        dialogs.showProblem(QStringLiteral("%1 holds no %2. Choose the folder that holds the "
                                           "shop's %2.")
                                .arg(QDir::toNativeSeparators(folder), schema::MainFileName));
        start = folder;
    }
}

bool useShopServer(const store::DataLocation& location, FirstStartDialogs& dialogs)
{
    QString address;
    for (;;) {
        address = dialogs.askServerAddress(address);
        if (address.isEmpty())
            return false;
        store::CopyCount found;
        const store::StoreError error = store::joinShop(location.setupPath(), address, found);
        if (error.ok())
            return true;
        dialogs.showProblem(error.describe());
    }
}

}  // namespace

bool askWhereTheShopIs(const store::DataLocation& location, FirstStartDialogs& dialogs)
{
    for (;;) {
        bool done = false;
        switch (dialogs.ask()) {
        case FirstStartAnswer::Quit: return false;
        case FirstStartAnswer::NewShop:
            return writeSetup(location, location.defaultDataFolder, dialogs);
        case FirstStartAnswer::ShopFolder: done = useShopFolder(location, dialogs); break;
        case FirstStartAnswer::ShopServer: done = useShopServer(location, dialogs); break;
        }
        // Giving up on a folder or a server goes back to the question.
        if (done)
            return true;
    }
}

FirstStartAnswer QtFirstStartDialogs::ask()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tagwright"),
                    QStringLiteral("Welcome to Tagwright. Where are your shop's label templates?"));
    box.setObjectName(QStringLiteral("FirstStartQuestion"));
    box.setInformativeText(
        QStringLiteral("New shop: start with a few example templates.\n"
                       "Shop folder: the folder that holds QUILLON.MDB (files of the earlier "
                       "label program are converted, the originals kept).\n"
                       "Shop server: the PostgreSQL server another workstation moved the shop "
                       "onto.\n\nTagwright asks only this once."));
    QPushButton* newShop = box.addButton(QStringLiteral("New shop"), QMessageBox::AcceptRole);
    QPushButton* folder = box.addButton(QStringLiteral("Shop folder..."), QMessageBox::ActionRole);
    QPushButton* server = box.addButton(QStringLiteral("Shop server..."), QMessageBox::ActionRole);
    box.addButton(QStringLiteral("Quit"), QMessageBox::RejectRole);
    box.setDefaultButton(newShop);
    box.exec();
    if (box.clickedButton() == newShop)
        return FirstStartAnswer::NewShop;
    if (box.clickedButton() == folder)
        return FirstStartAnswer::ShopFolder;
    if (box.clickedButton() == server)
        return FirstStartAnswer::ShopServer;
    return FirstStartAnswer::Quit;
}

QString QtFirstStartDialogs::chooseShopFolder(const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("The folder that holds QUILLON.MDB"),
                                             startFolder);
}

QString QtFirstStartDialogs::askServerAddress(const QString& previous)
{
    QInputDialog dialog;
    dialog.setObjectName(QStringLiteral("ShopServerAddress"));
    dialog.setWindowTitle(QStringLiteral("Tagwright"));
    dialog.setLabelText(QStringLiteral("The shop's database server, as on the other workstations "
                                       "(no password: Tagwright takes it from ~/.pgpass):\n"
                                       "for example postgresql://hangar-pc/labels?user=tagwright"));
    dialog.setTextValue(previous);
    dialog.resize(520, dialog.sizeHint().height());
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().trimmed() : QString();
}

void QtFirstStartDialogs::showProblem(const QString& text)
{
    QMessageBox::warning(nullptr, QStringLiteral("Tagwright"), text);
}

}  // namespace tagwright::startup
