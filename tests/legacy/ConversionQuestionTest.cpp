#include "LegacyFixture.h"

#include "mainwindow/MainWindow.h"
#include "startup/LegacyConversionStep.h"
#include "startup/Startup.h"
#include "support/FakeDialogs.h"
#include "support/MainDatabaseBuilder.h"

#include <QLineEdit>
#include <QSignalSpy>

using namespace tagwright;
using namespace tagwright::test;

namespace {

// Answers the question as told and runs the real tagwright-cli as the window would, only
// without a progress dialog.
class AnsweringDialogs : public startup::ConversionDialogs {
public:
    bool askToConvert(const QString& text) override
    {
        questions << text;
        return answerConvert;
    }
    startup::ConversionRun runWithProgress(const QString& program, const QStringList& arguments,
                                           const QString& workingFolder) override
    {
        QProcess process;
        process.setWorkingDirectory(workingFolder);
        process.start(program, arguments);
        startup::ConversionRun run;
        run.started = process.waitForStarted();
        process.waitForFinished(30000);
        run.exitCode = process.exitCode();
        run.crashed = process.exitStatus() == QProcess::CrashExit;
        run.errorText = QString::fromUtf8(process.readAllStandardError());
        progressLines = QString::fromUtf8(process.readAllStandardOutput()).count(QStringLiteral("progress "));
        return run;
    }
    void showFailure(const QString& text) override { failures << text; }
    QString chooseDataFolder(const QString& why, const QString&) override
    {
        folderQuestions << why;
        return folderAnswer;
    }

    bool answerConvert = true;
    QStringList questions;
    QStringList failures;
    QStringList folderQuestions;
    QString folderAnswer;   // empty: the user gives up
    qsizetype progressLines = 0;
};

const QString Cli = QStringLiteral(TAGWRIGHT_CLI);

class ConversionQuestion : public ::testing::Test {
protected:
    void copyIn(const char* legacy, const QString& name)
    {
        ASSERT_TRUE(QFile::copy(legacyFile(QString::fromLatin1(legacy)), shop.file(name)));
        QFile::setPermissions(shop.file(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    startup::ConversionChoice offer() { return startup::offerConversion(shop.path(), shop.path(), Cli, dialogs); }

    TempFolder shop;
    AnsweringDialogs dialogs;
};

TEST_F(ConversionQuestion, tagwrightFilesOrNoFilesAskNothing)
{
    EXPECT_EQ(offer(), startup::ConversionChoice::NothingToConvert);
    store::Database setup;
    ASSERT_TRUE(setup.create(shop.file(store::schema::SetupFileName), store::schema::setupStatements()).ok());
    EXPECT_EQ(offer(), startup::ConversionChoice::NothingToConvert);
    EXPECT_TRUE(dialogs.questions.isEmpty());
}

TEST_F(ConversionQuestion, quitChangesNothingAndConvertStartsAsUsualOnTheNewFiles)
{
    copyIn("setup-access2000.mdb", store::schema::SetupFileName);
    copyIn("shop-access2000.mdb", store::schema::MainFileName);
    const QByteArray setupBytes = fileBytes(shop.file(store::schema::SetupFileName));

    dialogs.answerConvert = false;
    EXPECT_EQ(offer(), startup::ConversionChoice::Quit);
    ASSERT_EQ(dialogs.questions.size(), 1);
    const QString question = dialogs.questions.first();
    EXPECT_TRUE(question.contains(shop.file(store::schema::SetupFileName))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("earlier program")));
    EXPECT_TRUE(question.contains(QStringLiteral("SetupTGW.MDB.access")));
    EXPECT_EQ(folderEntries(shop.path()), (QStringList{store::schema::MainFileName, store::schema::SetupFileName}));
    EXPECT_EQ(fileBytes(shop.file(store::schema::SetupFileName)), setupBytes);

    dialogs.answerConvert = true;
    EXPECT_EQ(offer(), startup::ConversionChoice::Converted);
    EXPECT_TRUE(dialogs.failures.isEmpty()) << dialogs.failures.join(u'\n').toStdString();
    EXPECT_GT(dialogs.progressLines, 1);
    EXPECT_EQ(fileBytes(shop.file(QStringLiteral("SetupTGW.MDB.access"))), setupBytes);

    FakeDialogs windowDialogs;
    startup::Startup startup(windowDialogs, {shop.path(), shop.path()});
    QSignalSpy finished(&startup, &startup::Startup::finished);
    startup.begin();
    ASSERT_TRUE(finished.wait(5000));
    ASSERT_NE(startup.mainWindow(), nullptr);
    EXPECT_TRUE(windowDialogs.messages.empty());
    EXPECT_EQ(startup.mainWindow()->findChild<QLineEdit*>(QStringLiteral("companyNameBox"))->text(),
              QStringLiteral("Sky-High Aviation & Avionics, Inc."));
}

TEST_F(ConversionQuestion, anAccessMainFileBesideATagwrightSetupIsNamedAndConverted)
{
    store::Database setup;
    ASSERT_TRUE(setup.create(shop.file(store::schema::SetupFileName), store::schema::setupStatements()).ok());
    addRecord(setup, store::schema::SetupTable, {{store::schema::setup::DataPath, shop.path()}});
    setup.close();
    copyIn("shop-access2000.mdb", store::schema::MainFileName);

    EXPECT_EQ(offer(), startup::ConversionChoice::Converted);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions.first().contains(shop.file(store::schema::MainFileName)));
    EXPECT_TRUE(dialogs.questions.first().contains(QStringLiteral("QUILLON.MDB.access")));
    expectDatabaseMatches(shop.file(store::schema::MainFileName), expectedTables(QStringLiteral("shop-access2000")));
}

TEST_F(ConversionQuestion, aWindowsDataPathAsksForTheFolderThatHoldsTheMainFile)
{
    copyIn("setup-access2000.mdb", store::schema::SetupFileName);
    TempFolder elsewhere;
    ASSERT_TRUE(QFile::copy(legacyFile(QStringLiteral("shop-access2000.mdb")), elsewhere.file(store::schema::MainFileName)));

    EXPECT_EQ(offer(), startup::ConversionChoice::Quit);   // the user gives up
    ASSERT_EQ(dialogs.folderQuestions.size(), 1);
    EXPECT_TRUE(dialogs.folderQuestions.first().contains(QStringLiteral("C:\\Program Files\\Labels")));
    EXPECT_EQ(folderEntries(shop.path()), QStringList{store::schema::SetupFileName});

    dialogs.folderAnswer = elsewhere.path();
    EXPECT_EQ(offer(), startup::ConversionChoice::Converted);
    EXPECT_TRUE(QFile::exists(elsewhere.file(QStringLiteral("QUILLON.MDB.access"))));
    EXPECT_TRUE(QFile::exists(shop.file(QStringLiteral("SetupTGW.MDB.access"))));
}

TEST_F(ConversionQuestion, aFailedConversionIsShownWithThePathAndChangesNothing)
{
    copyIn("setup-access2000.mdb", store::schema::SetupFileName);
    const QByteArray shopBytes = fileBytes(legacyFile(QStringLiteral("shop-access2000.mdb")));
    writeBytes(shop.file(store::schema::MainFileName), shopBytes.left(3 * 4096 + 7));

    EXPECT_EQ(offer(), startup::ConversionChoice::Failed);
    ASSERT_EQ(dialogs.failures.size(), 1);
    EXPECT_TRUE(dialogs.failures.first().contains(shop.file(store::schema::MainFileName)))
        << dialogs.failures.first().toStdString();
    EXPECT_TRUE(dialogs.failures.first().contains(QStringLiteral("nothing was changed")));
    EXPECT_EQ(folderEntries(shop.path()), (QStringList{store::schema::MainFileName, store::schema::SetupFileName}));

    dialogs.failures.clear();
    EXPECT_EQ(startup::offerConversion(shop.path(), shop.path(), shop.file(QStringLiteral("no-cli")), dialogs),
              startup::ConversionChoice::Failed);
    ASSERT_EQ(dialogs.failures.size(), 1);
    EXPECT_TRUE(dialogs.failures.first().contains(shop.file(QStringLiteral("no-cli"))));
}

}  // namespace
