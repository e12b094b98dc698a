#include "startup/FirstStart.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TableCursor.h"
#include "support/MainDatabaseBuilder.h"
#include "support/TempFolder.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <deque>

using namespace tagwright;
namespace schema = store::schema;

namespace {

// Answers the first-start dialogs from lists, in turn; an empty list gives up.
class ScriptedAnswers : public startup::FirstStartDialogs {
public:
    startup::FirstStartAnswer ask() override
    {
        ++asked;
        if (answers.empty())
            return startup::FirstStartAnswer::Quit;
        const startup::FirstStartAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString chooseShopFolder(const QString&) override { return next(folders); }
    QString askServerAddress(const QString&) override { return next(addresses); }
    void showProblem(const QString& text) override { problems << text; }

    std::deque<startup::FirstStartAnswer> answers;
    std::deque<QString> folders;
    std::deque<QString> addresses;
    QStringList problems;
    int asked = 0;

private:
    static QString next(std::deque<QString>& list)
    {
        if (list.empty())
            return {};
        QString value = list.front();
        list.pop_front();
        return value;
    }
};

class FirstStart : public ::testing::Test {
protected:
    store::DataLocation installed() const
    {
        return {store::DataLocation::Rule::Installed, perUser.path(), perUser.path()};
    }

    QString storedDataPath()
    {
        store::Database setup;
        EXPECT_TRUE(setup.open(installed().setupPath(), schema::setupTables()).ok());
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(setup, schema::SetupTable).ok());
        return cursor.value(schema::setup::DataPath).toString();
    }

    test::TempFolder perUser;
    ScriptedAnswers dialogs;
};

TEST_F(FirstStart, isAskedOnlyByAnInstalledProgramWithoutASetupDatabase)
{
    EXPECT_TRUE(startup::firstStartQuestionDue(installed()));
    store::DataLocation notInstalled = installed();
    notInstalled.rule = store::DataLocation::Rule::NotInstalled;
    EXPECT_FALSE(startup::firstStartQuestionDue(notInstalled));

    dialogs.answers = {startup::FirstStartAnswer::NewShop};
    ASSERT_TRUE(startup::askWhereTheShopIs(installed(), dialogs));
    EXPECT_EQ(storedDataPath(), perUser.path());
    EXPECT_FALSE(startup::firstStartQuestionDue(installed()));
}

TEST_F(FirstStart, quittingWritesNothing)
{
    EXPECT_FALSE(startup::askWhereTheShopIs(installed(), dialogs));
    EXPECT_FALSE(QFile::exists(installed().setupPath()));
}

TEST_F(FirstStart, aShopFolderMustHoldTheMainDatabaseAndGivingUpAsksAgain)
{
    test::TempFolder empty, shop;
    store::Database main;
    ASSERT_TRUE(main.create(shop.file(schema::MainFileName), schema::mainStatements()).ok());
    dialogs.answers = {startup::FirstStartAnswer::ShopFolder, startup::FirstStartAnswer::ShopFolder};
    dialogs.folders = {empty.path(), QString(), shop.path()};

    ASSERT_TRUE(startup::askWhereTheShopIs(installed(), dialogs));
    EXPECT_EQ(dialogs.asked, 2);
    ASSERT_EQ(dialogs.problems.size(), 1);
    EXPECT_TRUE(dialogs.problems[0].contains(QStringLiteral("%1 holds no QUILLON.MDB").arg(empty.path())))
        << dialogs.problems[0].toStdString();
    EXPECT_EQ(storedDataPath(), shop.path());
}

TEST_F(FirstStart, aShopServerIsJoinedAndAnEmptyOneRefused)
{
    if (const QString reason = test::ServerDatabase::skipReason(); !reason.isEmpty())
        GTEST_SKIP() << reason.toStdString();
    test::ServerDatabase empty, shop;
    ASSERT_TRUE(empty.created() && shop.created()) << empty.error().toStdString();
    {
        store::Database main;
        ASSERT_TRUE(main.openMain(shop.dataPath()).ok());
        test::addRecord(main, schema::LabelsTable, test::templateRecord(QStringLiteral("Annual")));
    }
    dialogs.answers = {startup::FirstStartAnswer::ShopServer};
    dialogs.addresses = {empty.dataPath(), shop.dataPath()};

    ASSERT_TRUE(startup::askWhereTheShopIs(installed(), dialogs));
    ASSERT_EQ(dialogs.problems.size(), 1);
    EXPECT_TRUE(dialogs.problems[0].contains(QLatin1String("tagwright-cli share"))) << dialogs.problems[0].toStdString();
    EXPECT_EQ(storedDataPath(), shop.dataPath());
}

}  // namespace
