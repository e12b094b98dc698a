#include "cli/ShopDatabase.h"
#include "support/MainWindowFixture.h"
#include "support/ServerFaults.h"

#include "journal/Journal.h"
#include "store/ShopOnServer.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace tagwright;
using namespace tagwright::test;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

// A window on a database of the test server, and what a restart or a frozen server does to
// it. The server is restarted or stopped as a whole, so these run alone (RUN_SERIAL).
class ServerFaultTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        if (const QString reason = ServerFaults::skipReason(); !reason.isEmpty())
            GTEST_SKIP() << reason.toStdString();
        MainWindowTest::SetUp();
        server = std::make_unique<ServerDatabase>();
        ASSERT_TRUE(server->created()) << server->error().toStdString();
        const store::StoreError opened = mainDb.openMain(server->dataPath());
        ASSERT_TRUE(opened.ok()) << opened.describe().toStdString();
        for (const QString& title : {QStringLiteral("Annual"), QStringLiteral("Oil Change")})
            addRecord(mainDb, schema::LabelsTable, templateRecord(title, title + QStringLiteral(" body")));
    }

    void TearDown() override
    {
        window.reset();
        faults.resume();
    }

    void pageForward() { QTest::mouseClick(find<QWidget>("nextZone1"), Qt::LeftButton); }

    QString storedBody(const QString& title)
    {
        store::Database other;
        EXPECT_TRUE(other.openMain(server->dataPath()).ok());
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(other, schema::LabelsTable).ok());
        EXPECT_TRUE(cursor.findFirst(labels::Description, title));
        return cursor.value(labels::Body).toString();
    }

    QString messages() const
    {
        QStringList texts;
        for (const FakeDialogs::Message& message : dialogs.messages)
            texts << message.title + QStringLiteral(": ") + message.text;
        return texts.join(u'\n');
    }

    std::unique_ptr<ServerDatabase> server;
    ServerFaults faults;
};

TEST_F(ServerFaultTest, aRestartUnderAnOpenWindowCostsNoActionAndNoMessage)
{
    openWindow();
    const QString shownFirst = find<QLineEdit>("titleBox1")->text();
    ASSERT_TRUE(faults.restart());

    pageForward();
    EXPECT_NE(find<QLineEdit>("titleBox1")->text(), shownFirst);
    const QString title = find<QLineEdit>("titleBox1")->text();
    auto* body = find<QPlainTextEdit>("bodyEditor");
    body->setFocus();
    body->moveCursor(QTextCursor::End);
    QTest::keyClicks(body, " typed after the restart");
    ASSERT_TRUE(faults.restart());
    QTest::mouseClick(find<QPushButton>("saveButton"), Qt::LeftButton);

    EXPECT_EQ(messages().toStdString(), "");
    EXPECT_EQ(storedBody(title).toStdString(), (title + QStringLiteral(" body typed after the restart")).toStdString());
}

TEST_F(ServerFaultTest, aFrozenServerIsNamedWithinTenSecondsWhileTheWindowKeepsRunning)
{
    openWindow();
    ASSERT_TRUE(faults.freeze(*server));

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(50);
    QElapsedTimer clock;
    clock.start();
    pageForward();
    const qint64 waited = clock.elapsed();

    EXPECT_LT(waited, 10000);
    EXPECT_GT(ticks, int(waited / 50) / 2) << "the window's thread stood still for " << waited << " ms";
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(messages().contains(QLatin1String("did not answer"))) << messages().toStdString();
    EXPECT_TRUE(messages().contains(QStringLiteral("Server: ") + server->dataPath())) << messages().toStdString();

    // Back again, the next action goes through.
    faults.resume();
    dialogs.messages.clear();
    pageForward();
    EXPECT_EQ(messages().toStdString(), "");
}

// The command line's own connection to a frozen server, in a process of its own.
TEST_F(ServerFaultTest, shareAndJoinGiveUpOnAFrozenServerWithinFifteenSeconds)
{
    ShopDatabase shop;
    shop.addTemplate(templateRecord(QStringLiteral("Annual")));
    ASSERT_TRUE(faults.freeze(*server));
    for (const QString& command : {QStringLiteral("share --to"), QStringLiteral("join")}) {
        QElapsedTimer clock;
        clock.start();
        QProcess cli;
        cli.start(QStringLiteral(TAGWRIGHT_CLI_PROGRAM),
                  command.split(u' ') + QStringList{server->dataPath(), QStringLiteral("--setup"), shop.setupPath()});
        ASSERT_TRUE(cli.waitForFinished(30000)) << command.toStdString();
        EXPECT_LT(clock.elapsed(), 15000) << command.toStdString();
        EXPECT_EQ(cli.exitCode(), 1) << command.toStdString();
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_TRUE(err.contains(server->dataPath())) << err.toStdString();
    }
}

// Each command against a server that stops answering (2,572 templates on their way over, a
// label, a reprint, the journal's list) ends within 15 s, saying that the server did not
// answer, never that a table or the shop is missing.
TEST_F(ServerFaultTest, everyCommandEndsWithinFifteenSecondsOfAFrozenServerSayingSo)
{
    ShopDatabase shop;
    {
        store::Database file;
        ASSERT_TRUE(file.openMain(shop.folder.path()).ok());
        ASSERT_TRUE(file.backend().inTransaction([&] {
            for (int i = 0; i < 2572; ++i)
                addRecord(file, schema::LabelsTable, templateRecord(QStringLiteral("Template %1").arg(i),
                                                                    QStringLiteral("Body of template %1.").arg(i)));
            return store::StoreError();
        }).ok());
    }
    TempFolder onServer;
    store::Database setup;
    ASSERT_TRUE(store::openSetupFile(setup, onServer.file(schema::SetupFileName)).ok());
    ASSERT_TRUE(store::writeDataPath(setup, server->dataPath()).ok());
    journal::JournalEntry entry;
    entry.facts.templateTitle = QStringLiteral("Annual");
    ASSERT_TRUE(journal::Journal(mainDb).add(entry).ok());

    const QString pdf = onServer.file(QStringLiteral("label.pdf"));
    // share is stopped 0.3 s into its copy; the others, which take less, meet a stopped server.
    const QList<std::pair<int, QStringList>> commands = {
        {300, {QStringLiteral("share"), QStringLiteral("--replace"), QStringLiteral("--to"), server->dataPath(),
               QStringLiteral("--setup"), shop.setupPath()}},
        {0, {QStringLiteral("print"), QStringLiteral("--pdf"), pdf, QStringLiteral("--setup"), setup.path()}},
        {0, {QStringLiteral("reprint"), QStringLiteral("1"), QStringLiteral("--pdf"), pdf, QStringLiteral("--setup"), setup.path()}},
        {0, {QStringLiteral("journal"), QStringLiteral("--setup"), setup.path()}},
        {0, {QStringLiteral("join"), server->dataPath(), QStringLiteral("--setup"), onServer.file(QStringLiteral("other.mdb"))}},
    };
    for (const auto& [stopAfter, command] : commands) {
        SCOPED_TRACE(command.first().toStdString());
        if (stopAfter == 0) {
            ASSERT_TRUE(faults.freeze(*server));
        }
        QElapsedTimer clock;
        clock.start();
        QProcess cli;
        cli.start(QStringLiteral(TAGWRIGHT_CLI_PROGRAM), command);
        ASSERT_TRUE(cli.waitForStarted());
        if (stopAfter > 0) {
            QThread::msleep(stopAfter);
            ASSERT_TRUE(faults.freeze(*server));
        }
        ASSERT_TRUE(cli.waitForFinished(60000));
        const qint64 took = clock.elapsed();
        faults.resume();
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_LT(took, 15000);
        EXPECT_EQ(cli.exitCode(), 1) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String("did not answer"))) << err.toStdString();
        EXPECT_FALSE(err.contains(QLatin1String("no table")) || err.contains(QLatin1String("holds no"))) << err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
}

}  // namespace
