#include "store/DataFolders.h"
#include "store/Schema.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace tagwright;
using Rule = store::DataLocation::Rule;

namespace {

TEST(DataFolders, sameFolderIgnoresTrailingSeparatorsAndDotParts)
{
    test::TempFolder folder;
    EXPECT_TRUE(store::isSameFolder(folder.path() + QStringLiteral("/"), folder.path()));
    EXPECT_TRUE(store::isSameFolder(folder.path() + QStringLiteral("/./"), folder.path()));
    EXPECT_FALSE(store::isSameFolder(folder.path() + QStringLiteral("/sub"), folder.path()));
}

// The one rule both programs follow, for each kind of start: from the build or a shop folder,
// installed and started from the menu, installed and started in a shop's data folder.
TEST(DataFolders, oneRuleDecidesTheSetupFileAndTheDefaultDataFolder)
{
    test::TempFolder working, program, shop;
    QFile setup(shop.file(store::schema::SetupFileName));
    ASSERT_TRUE(setup.open(QIODevice::WriteOnly));
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString system = QStringLiteral("/usr/bin");

    struct Case {
        QString working, program;
        Rule rule;
        QString setupFolder, dataFolder;
    };
    const Case cases[] = {
        {working.path(), program.path(), Rule::NotInstalled, working.path(), program.path()},
        {shop.path(), program.path(), Rule::SetupInWorkingFolder, shop.path(), program.path()},
        {working.path(), system, Rule::Installed, perUser, perUser},
        {shop.path(), system, Rule::SetupInWorkingFolder, shop.path(), perUser},
    };
    for (const Case& c : cases) {
        const store::DataLocation location = store::decideDataLocation(c.working, c.program);
        SCOPED_TRACE((c.working + u' ' + c.program).toStdString());
        EXPECT_EQ(location.rule, c.rule);
        EXPECT_TRUE(store::isSameFolder(location.setupFolder, c.setupFolder));
        EXPECT_TRUE(store::isSameFolder(location.defaultDataFolder, c.dataFolder));
        EXPECT_TRUE(location.setupPath().endsWith(store::schema::SetupFileName));
        EXPECT_FALSE(location.explanation().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(perUser + QStringLiteral("/") + store::schema::SetupFileName))
        << "deciding creates nothing";
}

TEST(DataFolders, programsInSystemFoldersCountAsInstalledEvenForRoot)
{
    test::TempFolder folder;
    EXPECT_TRUE(store::isInstalledProgram(QStringLiteral("/usr/bin")));
    EXPECT_TRUE(store::isInstalledProgram(QStringLiteral("/usr/local/bin/")));
    EXPECT_FALSE(store::isInstalledProgram(folder.path()));
}

}  // namespace
