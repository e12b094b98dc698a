#include "LegacyFixture.h"

#include "legacy/AccessImport.h"

using namespace tagwright;
using namespace tagwright::test;
namespace schema = store::schema;

namespace {

// A title of 21 characters through each entrance that can bring one in: the store's own
// write (the window's boxes and every command end there), an Access file being imported,
// and the command line's --template. Each refuses it with a message that says why; 20
// characters pass.
TEST(TitleLength, aTitleOfTwentyOneCharactersIsRefusedAtEveryEntrance)
{
    const QString twenty = QStringLiteral("Inspection annuelle ");
    const QString longer = twenty + QStringLiteral("X");
    ASSERT_EQ(twenty.size(), 20);

    TempFolder folder;
    store::Database db;
    ASSERT_TRUE(db.create(folder.file(schema::MainFileName), schema::mainStatements()).ok());
    const struct Entrance {
        const char* name;
        std::function<QString(const QString&)> refusal;   // empty when taken
    } entrances[] = {
        {"store", [&](const QString& title) {
             store::TableCursor cursor;
             EXPECT_TRUE(cursor.open(db, schema::LabelsTable).ok());
             EXPECT_TRUE(cursor.addNew().ok());
             EXPECT_TRUE(cursor.setValue(schema::labels::Description, title).ok());
             const store::StoreError error = cursor.update();
             cursor.cancelUpdate();
             if (error.ok()) {
                 cursor.findFirst(schema::labels::Description, title);
                 EXPECT_TRUE(cursor.deleteCurrent().ok());
             }
             return error.message;
         }},
        {"import", [&](const QString& title) {
             legacy::AccessContents contents;
             legacy::AccessTable labels{schema::LabelsTable, {{schema::labels::Description, legacy::AccessColumn::Kind::Text}}, {{title}}};
             contents.tables << labels;
             return legacy::contentsMismatch(QStringLiteral("/shop/QUILLON.MDB"), contents);
         }},
        {"print --template", [&](const QString& title) {
             const CliRun run = runCli({QStringLiteral("print"), QStringLiteral("--trace"), QStringLiteral("--setup"),
                                        folder.file(QStringLiteral("none.db")), QStringLiteral("--template"), title});
             return run.exitCode == 2 ? run.err : QString();
         }},
    };
    for (const Entrance& entrance : entrances) {
        SCOPED_TRACE(entrance.name);
        const QString refused = entrance.refusal(longer);
        EXPECT_TRUE(refused.contains(QStringLiteral("longer than 20 characters"))) << refused.toStdString();
        if (std::string(entrance.name) != "print --template") {
            EXPECT_TRUE(entrance.refusal(twenty).isEmpty()) << entrance.refusal(twenty).toStdString();
        }
    }
}

}  // namespace
