#include "LegacyFixture.h"
#include "support/Results.h"

#include "startup/StoreBootstrap.h"
#include "files/FilePlacement.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tagwright;
using namespace tagwright::test;

namespace {

const QString SetupName = QStringLiteral("SetupTGW.MDB");
const QString MainName = QStringLiteral("QUILLON.MDB");

bool isLink(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool isPlainFile(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

// A folder shared by a group, in which another member planted links into a folder of
// theirs: dangling ones (the target does not exist yet, so creating through the link would
// make it) and live ones (writing through would change the target).
struct SharedFolder {
    TempFolder shop;
    TempFolder elsewhere;
    QByteArray precious = "another user's file\n";

    SharedFolder()
    {
        QFile file(elsewhere.file(QStringLiteral("precious.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(precious);
    }
    void plantDangling(const QString& name)
    {
        ASSERT_EQ(::symlink(QFile::encodeName(elsewhere.file(name + QStringLiteral(".planted"))).constData(),
                            QFile::encodeName(shop.file(name)).constData()), 0);
    }
    void plantLive(const QString& name)
    {
        ASSERT_EQ(::symlink(QFile::encodeName(elsewhere.file(QStringLiteral("precious.txt"))).constData(),
                            QFile::encodeName(shop.file(name)).constData()), 0);
    }
    // Every name the programs wrote before, and at the process numbers coming up next.
    void plantAtTheNamesOfEarlierVersions()
    {
        QFile lastPid(QStringLiteral("/proc/sys/kernel/ns_last_pid"));
        const qint64 next = lastPid.open(QIODevice::ReadOnly) ? lastPid.readAll().trimmed().toLongLong() + 1 : 1;
        for (const QString& name : {MainName, SetupName}) {
            plantDangling(name + QStringLiteral(".new"));
            for (qint64 pid = next; pid < next + 100; ++pid)
                plantDangling(QStringLiteral(".%1.%2-0.converting").arg(name).arg(pid));
        }
    }
    // Nothing was created or changed through a link.
    void expectElsewhereUntouched() const
    {
        EXPECT_EQ(folderEntries(elsewhere.path()), QStringList{QStringLiteral("precious.txt")});
        EXPECT_EQ(fileBytes(elsewhere.file(QStringLiteral("precious.txt"))), precious);
    }
};

TEST(SharedFolder, aFirstRunCreatesItsDatabasesThereNeverThroughAPlantedLink)
{
    SharedFolder folder;
    folder.plantAtTheNamesOfEarlierVersions();
    store::Database setup;
    ASSERT_TRUE(startup::openSetupDatabase(setup, folder.shop.path()).ok());
    QString dataPath;
    dataPath = test::expectValue(startup::ensureSetupRecord(setup, folder.shop.path()));
    store::Database main;
    const store::StoreError opened = startup::openMainDatabase(main, dataPath, folder.shop.path());
    ASSERT_TRUE(opened.ok()) << opened.describe().toStdString();
    EXPECT_TRUE(isPlainFile(folder.shop.file(SetupName)));
    EXPECT_TRUE(isPlainFile(folder.shop.file(MainName)));
    folder.expectElsewhereUntouched();
}

TEST(SharedFolder, aLinkAtADatabasesOwnNameIsRefusedWithAMessageNamingIt)
{
    for (const bool dangling : {true, false}) {
        SCOPED_TRACE(dangling ? "dangling" : "live");
        SharedFolder folder;
        dangling ? folder.plantDangling(MainName) : folder.plantLive(MainName);
        store::Database main;
        const store::StoreError error = main.create(folder.shop.file(MainName), store::schema::mainStatements());
        EXPECT_FALSE(error.ok());
        if (dangling) {
            EXPECT_TRUE(error.message.contains(QStringLiteral("symbolic link"))) << error.describe().toStdString();
        }
        EXPECT_TRUE(isLink(folder.shop.file(MainName)));
        folder.expectElsewhereUntouched();
    }
}

TEST(SharedFolder, convertAndImportWriteNoFileThroughALink)
{
    // convert: links at the temporary names older versions used and at the kept original's.
    {
        SharedFolder folder;
        ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("setup-access2000.mdb")), folder.shop.file(SetupName)));
        ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("shop-access2000.mdb")), folder.shop.file(MainName)));
        folder.plantAtTheNamesOfEarlierVersions();
        folder.plantDangling(MainName + QStringLiteral(".access"));
        const CliRun run = runCli({QStringLiteral("convert")}, folder.shop.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(isPlainFile(folder.shop.file(MainName)));
        EXPECT_TRUE(isPlainFile(folder.shop.file(SetupName)));
        EXPECT_TRUE(isPlainFile(folder.shop.file(MainName + QStringLiteral(".2.access"))));
        folder.expectElsewhereUntouched();
    }
    // import-access --to a name the user gave that is a link: refused, never followed.
    for (const bool dangling : {true, false}) {
        SCOPED_TRACE(dangling ? "dangling" : "live");
        SharedFolder folder;
        dangling ? folder.plantDangling(QStringLiteral("new.db")) : folder.plantLive(QStringLiteral("new.db"));
        const CliRun run = runCli({QStringLiteral("import-access"), legacyFile(QStringLiteral("shop-access2000.mdb")),
                                   QStringLiteral("--to"), folder.shop.file(QStringLiteral("new.db"))});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("symbolic link"))) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1);
        folder.expectElsewhereUntouched();
        EXPECT_TRUE(isLink(folder.shop.file(QStringLiteral("new.db"))));
    }
}

// What interrupted runs left is removed by the next one; a temporary another running
// program still writes, and every name the program does not make, stay.
TEST(SharedFolder, leftoversOfInterruptedRunsGoButNotWhatARunningProgramHolds)
{
    SharedFolder folder;
    ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("setup-access2000.mdb")), folder.shop.file(SetupName)));
    ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("shop-access2000.mdb")), folder.shop.file(MainName)));
    // A process number that is surely no longer running: a child that has ended.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const QStringList leftovers{
        QStringLiteral(".QUILLON.MDB.k3j5h7g9f2d4.part"), QStringLiteral(".QUILLON.MDB.k3j5h7g9f2d4.part-journal"),
        QStringLiteral(".SetupTGW.MDB.a1b2c3d4e5f6.part"), QStringLiteral(".QUILLON.MDB.%1-0.converting").arg(child),
        QStringLiteral(".QUILLON.MDB.%1-0.converting-journal").arg(child), QStringLiteral("QUILLON.MDB.new")};
    for (const QString& name : leftovers)
        writeBytes(folder.shop.file(name), QByteArray(512, 'x'));
    const QStringList kept{QStringLiteral(".QUILLON.MDB.notes"), QStringLiteral("QUILLON.MDB.part")};
    for (const QString& name : kept)
        writeBytes(folder.shop.file(name), "mine");
    files::NewFile running(folder.shop.file(MainName));
    ASSERT_TRUE(running.isOpen()) << running.errorString().toStdString();

    const CliRun run = runCli({QStringLiteral("convert")}, folder.shop.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList remaining = folderEntries(folder.shop.path());
    for (const QString& name : leftovers)
        EXPECT_FALSE(remaining.contains(name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(remaining.contains(name)) << name.toStdString();
    EXPECT_TRUE(isPlainFile(running.path()));

    // A start clears them just as well.
    writeBytes(folder.shop.file(leftovers[0]), "x");
    writeBytes(folder.shop.file(leftovers[2]), "x");
    store::Database setup;
    ASSERT_TRUE(startup::openSetupDatabase(setup, folder.shop.path()).ok());
    QString dataPath;
    dataPath = test::expectValue(startup::ensureSetupRecord(setup, folder.shop.path()));
    store::Database main;
    ASSERT_TRUE(startup::openMainDatabase(main, dataPath, folder.shop.path()).ok());
    remaining = folderEntries(folder.shop.path());
    EXPECT_FALSE(remaining.contains(leftovers[0]));
    EXPECT_FALSE(remaining.contains(leftovers[2]));
    EXPECT_TRUE(isPlainFile(running.path()));
}

}  // namespace

// A database that is itself a symbolic link (to a file of the same shop or to another
// user's) is opened by no command and not by the window: each says which link it refused,
// and what the link points at stays as it was.
TEST(SharedFolder, aDatabaseThatIsALinkIsRefusedEverywhereNamingTheLink)
{
    for (const QString& linked : {MainName, SetupName, MainName + QStringLiteral("-wal")}) {
        SCOPED_TRACE(linked.toStdString());
        SharedFolder folder;
        {
            store::Database setup;
            ASSERT_TRUE(startup::openSetupDatabase(setup, folder.shop.path()).ok());
            QString dataPath;
            dataPath = test::expectValue(startup::ensureSetupRecord(setup, folder.shop.path()));
            store::Database main;
            ASSERT_TRUE(startup::openMainDatabase(main, dataPath, folder.shop.path()).ok());
        }
        const QString link = folder.shop.file(linked);
        const QString real = folder.elsewhere.file(linked);
        if (QFileInfo::exists(link))
            ASSERT_TRUE(QFile::rename(link, real));
        else
            writeBytes(real, QByteArray());
        ASSERT_EQ(::symlink(QFile::encodeName(real).constData(), QFile::encodeName(link).constData()), 0);
        const QByteArray before = fileBytes(real);
        const QList<QStringList> commands = {
            {QStringLiteral("print"), QStringLiteral("--trace")},
            {QStringLiteral("print"), QStringLiteral("--pdf"), folder.shop.file(QStringLiteral("label.pdf"))},
            {QStringLiteral("reprint"), QStringLiteral("1"), QStringLiteral("--pdf"), folder.shop.file(QStringLiteral("again.pdf"))},
            {QStringLiteral("journal")},
            {QStringLiteral("aircraft")},
            {QStringLiteral("share"), QStringLiteral("--to"), QStringLiteral("postgresql://127.0.0.1:1/labels")},
        };
        for (const QStringList& command : commands) {
            const CliRun run = runCli(command, folder.shop.path());
            EXPECT_EQ(run.exitCode, 1) << command.join(u' ').toStdString() << ": " << run.err.toStdString();
            EXPECT_TRUE(run.err.contains(link + QStringLiteral(" is a symbolic link"))) << run.err.toStdString();
        }
        store::Database setup;
        store::StoreError opened = startup::openSetupDatabase(setup, folder.shop.path());
        if (opened.ok()) {
            const store::Result<QString> dataPath = startup::ensureSetupRecord(setup, folder.shop.path());
            opened = dataPath.error();
            store::Database main;
            if (opened.ok())
                opened = startup::openMainDatabase(main, *dataPath, folder.shop.path());
        }
        EXPECT_TRUE(opened.message.contains(link + QStringLiteral(" is a symbolic link"))) << opened.describe().toStdString();
        EXPECT_EQ(fileBytes(real), before);
        EXPECT_FALSE(QFileInfo::exists(folder.shop.file(QStringLiteral("label.pdf"))));
    }
}
