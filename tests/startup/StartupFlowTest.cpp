#include "startup/Startup.h"

#include "mainwindow/MainWindow.h"
#include "store/Schema.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tagwright;

namespace {

TEST(StartupFlow, firstRunShowsSplashThenTheLoadedMainWindow)
{
    test::TempFolder folder;
    test::FakeDialogs dialogs;
    startup::Startup startup(dialogs, {folder.path(), folder.path()});
    QSignalSpy finished(&startup, &startup::Startup::finished);
    startup.begin();
    ASSERT_NE(startup.splash(), nullptr);
    EXPECT_EQ(startup.splash()->windowTitle(), "Trevalle Series");
    EXPECT_EQ(startup.splash()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(startup.mainWindow(), nullptr);  // not before the start timer fires

    ASSERT_TRUE(finished.wait(5000));
    ASSERT_NE(startup.mainWindow(), nullptr);
    EXPECT_TRUE(startup.mainWindow()->isVisible());
    EXPECT_EQ(startup.mainWindow()->windowTitle(), "Tagwright");
    EXPECT_FALSE(startup.splash()->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(QFile::exists(folder.file(store::schema::SetupFileName)));
    EXPECT_TRUE(QFile::exists(folder.file(store::schema::MainFileName)));
    EXPECT_EQ(startup.dataPath(), folder.path());
}

TEST(StartupFlow, unreadableMainDatabaseIsReportedWithItsPathAndEndsWithoutAMainWindow)
{
    test::TempFolder folder;
    QFile junk(folder.file(store::schema::MainFileName));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(2048, '\x7f'));
    junk.close();

    test::FakeDialogs dialogs;
    startup::Startup startup(dialogs, {folder.path(), folder.path()});
    QSignalSpy failed(&startup, &startup::Startup::failed);
    startup.begin();
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_EQ(failed.first().first().toInt(), 1);
    EXPECT_EQ(startup.mainWindow(), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialogs.messages[0].text.contains(folder.file(store::schema::MainFileName)));
}

TEST(StartupFlow, setupFileThatIsNotADatabaseFailsAtOnce)
{
    test::TempFolder folder;
    QFile junk(folder.file(store::schema::SetupFileName));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a database at all, just some text that is long enough to look like a header");
    junk.close();

    test::FakeDialogs dialogs;
    startup::Startup startup(dialogs, {folder.path(), folder.path()});
    QSignalSpy failed(&startup, &startup::Startup::failed);
    startup.begin();
    EXPECT_EQ(failed.count(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(store::schema::SetupFileName));
    EXPECT_FALSE(QFile::exists(folder.file(store::schema::MainFileName)));
}

}  // namespace
