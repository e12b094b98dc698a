#include "CardFixture.h"

#include "support/ServerFaults.h"

#include "mainwindow/MainWindow.h"
#include "mainwindow/TemplateEditor.h"
#include "store/TableCursor.h"

#include <QPushButton>

using namespace tagwright;
namespace schema = store::schema;
namespace labels = schema::labels;

namespace {

// The window on a database server that stops answering under it: a statement is cut off
// after its deadline and fails.
class ServerWindowTest : public test::CardTest {
protected:
    void SetUp() override
    {
        if (const QString reason = test::ServerFaults::skipReason(); !reason.isEmpty())
            GTEST_SKIP() << reason.toStdString();
        server = std::make_unique<test::ServerDatabase>();
        ASSERT_TRUE(server->created()) << server->error().toStdString();
        ASSERT_TRUE(setupDb.create(folder.file(schema::SetupFileName), schema::setupStatements()).ok());
        const store::StoreError error = mainDb.openMain(server->dataPath());
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
        store::TableCursor cursor;
        ASSERT_TRUE(cursor.open(mainDb, schema::LabelsTable).ok());
        for (const QString title : {"Annual", "Oil Change", "Tires"}) {
            EXPECT_TRUE(cursor.addNew().ok());
            EXPECT_TRUE(cursor.setValue(labels::Description, title).ok());
            EXPECT_TRUE(cursor.setValue(labels::Body, title + " body").ok());
            ASSERT_TRUE(cursor.update().ok());
        }
    }

    void TearDown() override
    {
        window.reset();
        mainDb.close();
        server.reset();
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
    test::ServerFaults faults;
    ASSERT_TRUE(faults.freeze(*server));
    card().pageForward();
    faults.resume();
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
