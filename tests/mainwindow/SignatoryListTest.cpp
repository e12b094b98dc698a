#include "support/MainWindowFixture.h"

#include "mainwindow/SignatoryList.h"
#include "store/Schema.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

using namespace tagwright;
namespace schema = store::schema;

namespace {

class SignatoryListTest : public test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* name : {"J. Smith A&P 1234", "A. Jones IA 5678"})
            test::addRecord(mainDb, schema::MechanicsTable, {{schema::mechanics::Mechanics, QString::fromUtf8(name)}});
    }

    QComboBox* list() const { return find<QComboBox>("signatoryList"); }

    QStringList stored()
    {
        QStringList names;
        store::TableCursor cursor;
        EXPECT_TRUE(cursor.open(mainDb, schema::MechanicsTable).ok());
        for (; !cursor.eof(); cursor.moveNext())
            names << cursor.value(schema::mechanics::Mechanics).toString();
        return names;
    }

    QStringList entries() const
    {
        QStringList names;
        for (int i = 0; i < list()->count(); ++i)
            names << list()->itemText(i);
        return names;
    }

    void type(const QString& text, int key)
    {
        list()->setEditText(text);
        QTest::keyClick(list(), Qt::Key(key));
    }
};

TEST_F(SignatoryListTest, enterStoresANewNameAddsAndChoosesIt)
{
    openWindow();
    type(QStringLiteral("B. Brown A&P 42 \"Red\""), Qt::Key_Return);
    EXPECT_EQ(stored().size(), 3);
    EXPECT_EQ(stored().last(), "B. Brown A&P 42 \"Red\"");
    EXPECT_EQ(entries().last(), "B. Brown A&P 42 \"Red\"");
    EXPECT_EQ(list()->currentIndex(), 2);
    EXPECT_EQ(window->state().FindText, "B. Brown A&P 42 \"Red\"");

    // A name with a quote is found and deleted like any other.
    dialogs.choiceAnswers = {"Remove"};
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(SignatoryListTest, enterWithAKnownNameInOtherLetterCaseChoosesItAndStoresNothing)
{
    openWindow();
    type(QStringLiteral("a. jones ia 5678"), Qt::Key_Enter);
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentIndex(), 1);
    EXPECT_EQ(list()->currentText(), "A. Jones IA 5678");
}

TEST_F(SignatoryListTest, enterWithEmptyOrBlankTextStoresNothing)
{
    openWindow();
    type(QString(), Qt::Key_Return);
    type(QStringLiteral("   "), Qt::Key_Return);
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentIndex(), -1);
}

TEST_F(SignatoryListTest, deleteAsksThenRemovesTheChosenEntryAndItsRecord)
{
    openWindow();
    list()->setCurrentIndex(0);
    QTest::keyClick(list(), Qt::Key_Delete);  // kept
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "Remove J. Smith A&P 1234 from the signatories?");
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(list()->currentText(), "J. Smith A&P 1234");
    EXPECT_EQ(list()->currentIndex(), 0);

    list()->lineEdit()->selectAll();
    dialogs.choiceAnswers = {"Remove"};
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(stored(), QStringList({"A. Jones IA 5678"}));
    EXPECT_EQ(entries(), QStringList({"A. Jones IA 5678"}));
    EXPECT_EQ(list()->currentIndex(), -1);
}

TEST_F(SignatoryListTest, deleteWhileTypingDeletesNothing)
{
    openWindow();
    list()->setCurrentIndex(-1);
    type(QStringLiteral("J. Smith A&P 1234"), Qt::Key_Delete);
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentIndex(), -1);
}

TEST_F(SignatoryListTest, deleteWhileTypingDeletesOnlyTheCharacterAfterTheCursor)
{
    openWindow();
    list()->setCurrentIndex(-1);
    list()->setEditText(QString());
    QTest::keyClicks(list(), QStringLiteral("Hello World"));
    QTest::keyClick(list(), Qt::Key_Home);
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(list()->currentText(), "ello World");
    EXPECT_EQ(list()->lineEdit()->cursorPosition(), 0);

    // Typed over a chosen entry: the entry is no longer chosen, the typing stays.
    list()->setCurrentIndex(1);
    QTest::keyClick(list(), Qt::Key_End);
    QTest::keyClicks(list(), QStringLiteral("9"));
    QTest::keyClick(list(), Qt::Key_Home);
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(list()->currentText(), ". Jones IA 56789");
    EXPECT_EQ(list()->currentIndex(), -1);
    EXPECT_EQ(stored().size(), 2);
}

TEST_F(SignatoryListTest, deleteInsideAChosenNameDeletesOneCharacterAndNoRecord)
{
    openWindow();
    list()->setCurrentIndex(0);
    list()->lineEdit()->setCursorPosition(1);  // a click inside the text
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(list()->currentText(), "J Smith A&P 1234");
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(SignatoryListTest, entryWhoseRecordIsGoneStaysChosen)
{
    openWindow();
    store::TableCursor cursor;
    EXPECT_TRUE(cursor.open(mainDb, schema::MechanicsTable).ok());
    ASSERT_TRUE(cursor.deleteCurrent().ok());
    list()->setCurrentIndex(0);
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentIndex(), 0);
}

TEST_F(SignatoryListTest, twoRecordsWithTheSameTextLoseTheFirstMatch)
{
    test::addRecord(mainDb, schema::MechanicsTable, {{schema::mechanics::Mechanics, QStringLiteral("J. Smith A&P 1234")}});
    openWindow();
    ASSERT_EQ(list()->count(), 3);
    list()->setCurrentIndex(2);
    dialogs.choiceAnswers = {"Remove"};
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(stored(), QStringList({"A. Jones IA 5678", "J. Smith A&P 1234"}));
    EXPECT_EQ(entries(), QStringList({"J. Smith A&P 1234", "A. Jones IA 5678"}));
}

TEST_F(SignatoryListTest, storeFailureIsReportedAndListStaysInStep)
{
    const QString path = mainDb.path();
    mainDb.close();
    ASSERT_TRUE(mainDb.open(path, schema::mainTables(), store::Database::Access::ReadOnly).ok());
    openWindow();
    type(QStringLiteral("New Name"), Qt::Key_Return);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("readonly")));
    EXPECT_EQ(list()->count(), 2);

    list()->setCurrentIndex(0);
    dialogs.choiceAnswers = {"Remove"};
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(list()->count(), 2);
}

TEST_F(SignatoryListTest, theSignatoryPrintedIsTheTextTheListShowsWhateverChangedIt)
{
    openWindow();
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"chosen", [&] { list()->setCurrentIndex(1); }},
        {"typed", [&] { QTest::keyClicks(list(), QStringLiteral(" X")); }},
        {"stored with Enter", [&] { QTest::keyClick(list(), Qt::Key_Return); }},
        {"read again with the shop settings", [&] { ASSERT_TRUE(window->refreshSignatories().ok()); }},
        {"removed", [&] {
             list()->lineEdit()->selectAll();
             dialogs.choiceAnswers = {"Remove"};
             QTest::keyClick(list(), Qt::Key_Delete);
         }},
        {"emptied", [&] { list()->setEditText(QString()); }},
    };
    for (const auto& [what, step] : steps) {
        step();
        const auto request = window->session().printRequest().value();
        EXPECT_EQ(request.label.signatory, list()->currentText()) << what;
    }
    EXPECT_EQ(window->session().signatory(), "");
}

}  // namespace
