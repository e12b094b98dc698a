#include "CardFixture.h"

#include "support/TestServer.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/TemplateEditor.h"
#include "store/TableCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>

#include <unistd.h>

using namespace tagwright;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

// The window on a database server that is restarted under it: every open connection dies,
// and the first statement on each fails.
class ServerWindowTest : public test::CardTest {
protected:
    void SetUp() override
    {
        if (const QString reason = test::ServerDatabase::skipReason(); !reason.isEmpty())
            GTEST_SKIP() << reason.toStdString();
        if (qEnvironmentVariable("TAGWRIGHT_TEST_PG_CTL").isEmpty()
            || qEnvironmentVariable("TAGWRIGHT_TEST_PG_DATA").isEmpty())
            GTEST_SKIP() << "TAGWRIGHT_TEST_PG_CTL and TAGWRIGHT_TEST_PG_DATA are not set: the "
                            "test server cannot be restarted (scripts/test sets them)";
        server = std::make_unique<test::ServerDatabase>();
        ASSERT_TRUE(server->created()) << server->error().toStdString();
        ASSERT_TRUE(setupDb.create(folder.file(schema::SetupFileName), schema::setupStatements()).ok());
        const store::StoreError error = mainDb.openMain(server->dataPath());
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
        store::TableCursor cursor;
        ASSERT_TRUE(cursor.open(mainDb, schema::LabelsTable).ok());
        for (const QString title : {"Annual", "Oil Change", "Tires"}) {
            cursor.addNew();
            cursor.setValue(labels::Description, title);
            cursor.setValue(labels::Body, title + " body");
            ASSERT_TRUE(cursor.update().ok());
        }
    }

    void TearDown() override
    {
        window.reset();
        mainDb.close();
        server.reset();
    }

    static void restartServer()
    {
        const QString pgCtl = qEnvironmentVariable("TAGWRIGHT_TEST_PG_CTL");
        const QString data = qEnvironmentVariable("TAGWRIGHT_TEST_PG_DATA");
        const QString log = QFileInfo(data).dir().filePath(QStringLiteral("restart.log"));
        QStringList command = {pgCtl, QStringLiteral("-D"), data, QStringLiteral("-l"), log,
                               QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                               QStringLiteral("restart")};
        // The cluster belongs to "postgres" when the tests run as root.
        if (geteuid() == 0)
            command = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
        const QString program = geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst();
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, command);
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    }

    QStringList storedTitles()
    {
        store::Database check;
        EXPECT_TRUE(check.openMain(server->dataPath()).ok());
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(check, schema::LabelsTable).ok());
        QStringList titles;
        for (QVariant title : cursor.columnValues(labels::Description))
            titles << title.toString();
        return titles;
    }

    std::unique_ptr<test::ServerDatabase> server;
};

TEST_F(ServerWindowTest, aLostConnectionWhilePagingKeepsTheCardAndDeleteTakesOnlyTheTemplateOnShow)
{
    openWindow();
    ASSERT_EQ(shownTitle(), "Annual");
    restartServer();

    card().pageForward();
    ASSERT_FALSE(dialogs.messages.empty());
    // The card stays on what it showed: never a blank card to act on.
    EXPECT_EQ(shownTitle(), "Annual");
    EXPECT_EQ(controls().bodyBox->toPlainText(), "Annual body");
    EXPECT_TRUE(controls().bodyBox->isVisibleTo(window.get()));

    QTest::mouseClick(controls().deleteButton, Qt::LeftButton);
    const QStringList left = storedTitles();
    EXPECT_TRUE(left.contains("Oil Change")) << left.join(", ").toStdString();
    EXPECT_TRUE(left.contains("Tires"));
}

}  // namespace
