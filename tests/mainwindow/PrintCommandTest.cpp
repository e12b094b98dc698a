#include "support/MainWindowFixture.h"
#include "support/RecordingOutput.h"

#include "mainwindow/PrintCommand.h"
#include "printing/CopiesLimit.h"
#include "printing/RecordingSurface.h"
#include "store/Schema.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace tagwright;
namespace schema = store::schema;
using printing::RecordedOp;

namespace {

int count(const QVector<RecordedOp>& ops, RecordedOp::Kind kind)
{
    return int(std::count_if(ops.begin(), ops.end(), [kind](const RecordedOp& op) { return op.kind == kind; }));
}

class PrintCommandTest : public test::MainWindowTest {
protected:
    void openWith(const QVariant& labelStyle)
    {
        test::addRecord(mainDb, schema::LabelsTable, test::templateRecord(QStringLiteral("Annual"), QStringLiteral("Inspected.")));
        if (labelStyle.isValid())
            test::addRecord(mainDb, schema::CompanyInfoTable, {{schema::company::LabelStyle, labelStyle}});
        openWindow();
        command().setOutput(std::make_unique<test::RecordingOutput>(&printed));
    }

    mainwindow::PrintCommand& command() { return window->printCommand(); }

    QList<QPushButton*> mainButtons() const
    {
        QList<QPushButton*> buttons;
        for (const char* name : {"newButton", "saveButton", "fontButton", "logoButton", "printButton",
                                 "exitButton", "deleteButton", "setupButton"})
            buttons << find<QPushButton>(name);
        return buttons;
    }

    void click(const char* name) { QTest::mouseClick(find<QWidget>(name), Qt::LeftButton); }

    QVector<QVector<RecordedOp>> printed;
};

TEST_F(PrintCommandTest, tractorStockPrintsAtOnceWithoutThePanel)
{
    openWith(2);
    const QList<bool> before = [&] { QList<bool> e; for (auto* b : mainButtons()) e << b->isEnabled(); return e; }();
    click("printButton");
    EXPECT_FALSE(find<QWidget>("printPanel")->isVisible());
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].first().kind, RecordedOp::Kind::PageSize);
    EXPECT_EQ(count(printed[0], RecordedOp::Kind::EndDoc), 1);
    QList<bool> after;
    for (auto* b : mainButtons())
        after << b->isEnabled();
    EXPECT_EQ(after, before);
}

// A tractor-feed shop whose settings cannot be read is told so; no label goes out on a sheet
// guessed from defaults.
TEST_F(PrintCommandTest, aShopRecordThatCannotBeReadStopsThePrintWithAMessage)
{
    openWith(2);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(mainDb.path());
        ASSERT_TRUE(other.open());
        ASSERT_TRUE(QSqlQuery(other).exec(QStringLiteral("ALTER TABLE CompanyInfo RENAME TO Gone")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    click("printButton");
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_FALSE(find<QWidget>("printPanel")->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("Nothing was printed")));
}

TEST_F(PrintCommandTest, laserStockShowsThePanelAndDisablesTheMainButtons)
{
    for (const QVariant& style : {QVariant(), QVariant(1), QVariant(7)}) {
        window.reset();
        mainDb.close();
        EXPECT_TRUE(mainDb.open(folder.file(schema::MainFileName), schema::mainTables()).ok());
        store::TableCursor company;
        EXPECT_TRUE(company.open(mainDb, schema::CompanyInfoTable).ok());
        while (!company.eof())
            EXPECT_TRUE(company.deleteCurrent().ok());
        if (style.isValid())
            test::addRecord(mainDb, schema::CompanyInfoTable, {{schema::company::LabelStyle, style}});
        openWindow();
        click("printButton");
        EXPECT_TRUE(find<QWidget>("printPanel")->isVisible()) << style.toInt();
        for (QPushButton* button : mainButtons())
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    }
}

TEST_F(PrintCommandTest, firstPrintWithThreeCopiesSendsThreeSheetsAndEnablesEveryButton)
{
    openWith(1);
    click("printButton");
    find<QLineEdit>("copiesBox")->setText(QStringLiteral("3"));
    click("printOkButton");
    EXPECT_FALSE(find<QWidget>("printPanel")->isVisible());
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(count(printed[0], RecordedOp::Kind::EndDoc), 3);
    for (QPushButton* button : mainButtons())
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    // Empty value boxes of printed lines keep the underscores they were printed with.
    EXPECT_EQ(find<QLineEdit>("registrationBox")->text(), "_______");
    EXPECT_EQ(find<QLineEdit>("tachBox")->text(), "________");
}

TEST_F(PrintCommandTest, theNextAircraftIsTypedOverTheUnderscoresAPrintLeft)
{
    openWith(1);
    click("printButton");
    click("printOkButton");
    auto* registration = find<QLineEdit>("registrationBox");
    auto* tach = find<QLineEdit>("tachBox");
    ASSERT_EQ(registration->text(), "_______");
    QTest::keyClicks(registration, QStringLiteral("N123AB"));
    EXPECT_EQ(registration->text(), "N123AB");
    tach->setCursorPosition(4);
    QTest::keyClicks(tach, QStringLiteral("1234.5"));
    EXPECT_EQ(tach->text(), "1234.5");
    // Once it holds more than the run, a box takes keys as any box does.
    QTest::keyClicks(registration, QStringLiteral("C"));
    EXPECT_EQ(registration->text(), "N123ABC");
    // The next print still fills the boxes left empty.
    find<QLineEdit>("totalTimeBox")->clear();
    click("printButton");
    click("printOkButton");
    EXPECT_EQ(find<QLineEdit>("totalTimeBox")->text(), "________");
    EXPECT_EQ(find<QLineEdit>("makeBox")->text(), QString(26, u'_'));
}

TEST_F(PrintCommandTest, skipCellsToggleBetweenXAndEmpty)
{
    openWith(1);
    auto* cell1 = find<QLabel>("skipCell1");
    EXPECT_EQ(cell1->text(), " ");
    click("printButton");
    click("skipCell1");
    EXPECT_EQ(cell1->text(), "X");
    click("skipCell1");
    EXPECT_EQ(cell1->text(), "");
    click("skipCell2");
    EXPECT_EQ(find<QLabel>("skipCell2")->text(), "");
}

TEST_F(PrintCommandTest, theNextPanelMarksTheCellThePrintTook)
{
    openWith(1);
    click("Command3D6");
    click("Label22_2");
    click("Label22_3");
    click("Command3D10");
    ASSERT_EQ(printed.size(), 1);
    click("Command3D6");
    EXPECT_EQ(find<QLabel>("Label22_1")->text(), "X");
    EXPECT_EQ(find<QLabel>("Label22_2")->text(), "");
    EXPECT_EQ(find<QLabel>("Label22_3")->text(), "");
}

TEST_F(PrintCommandTest, cancelKeepsCopiesAndMarksAndEnablesSave)
{
    openWith(1);
    click("printButton");
    find<QLineEdit>("copiesBox")->setText(QStringLiteral("4"));
    click("skipCell3");
    click("printCancelButton");
    EXPECT_FALSE(find<QWidget>("printPanel")->isVisible());
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_TRUE(find<QPushButton>("saveButton")->isEnabled());
    click("printButton");
    EXPECT_EQ(find<QLineEdit>("copiesBox")->text(), "4");
    EXPECT_EQ(find<QLabel>("skipCell3")->text(), "");
}

TEST_F(PrintCommandTest, allSixCellsMarkedIsRefusedAndThePanelStaysUp)
{
    openWith(1);
    click("printButton");
    click("skipCell1");
    click("printOkButton");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "All six label cells are marked \"X\". Clear at least one cell to print.");
    EXPECT_TRUE(find<QWidget>("printPanel")->isVisible());
    for (const auto& ops : printed)
        EXPECT_EQ(count(ops, RecordedOp::Kind::Text), 0);
    EXPECT_FALSE(find<QPushButton>("printButton")->isEnabled());
}

TEST_F(PrintCommandTest, thePanelTakesTheKeysAndHandsThemBackToPrintNeverToTheTitle)
{
    openWith(1);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const char* closer : {"printCancelButton", "printOkButton"}) {
        click("printButton");
        EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("copiesBox")) << closer;
        click(closer);
        ASSERT_FALSE(find<QWidget>("printPanel")->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("printButton")) << closer;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        EXPECT_EQ(find<QLineEdit>("titleBox1")->text(), "Annual") << closer;
    }
}

TEST_F(PrintCommandTest, thePanelIsWorkedByKeyboardLikeADialog)
{
    openWith(1);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const auto focusName = [] {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("<none>");
    };
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        return focusName();
    };
    click("printButton");
    ASSERT_EQ(focusName(), "copiesBox");
    QStringList visited;
    for (int i = 0; i < 9; ++i)
        visited << press(Qt::Key_Tab);
    EXPECT_EQ(visited, (QStringList{"skipCell1", "skipCell2", "skipCell3", "skipCell4", "skipCell5",
                                    "skipCell6", "printOkButton", "printCancelButton", "copiesBox"}));
    EXPECT_EQ(press(Qt::Key_Tab, Qt::ShiftModifier), "printCancelButton");
    EXPECT_EQ(press(Qt::Key_Backtab), "printOkButton");

    // Space marks the cell with the focus, and clears it again.
    find<QWidget>("skipCell1")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_EQ(find<QLabel>("skipCell1")->text(), "X");
    press(Qt::Key_Space);
    EXPECT_EQ(find<QLabel>("skipCell1")->text(), "");

    // Escape is Cancel, wherever on the panel the focus is.
    press(Qt::Key_Escape);
    EXPECT_FALSE(find<QWidget>("printPanel")->isVisible());
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_EQ(focusName(), "printButton");
    EXPECT_TRUE(find<QPushButton>("newButton")->isEnabled());

    // Enter is OK on the copies, a cell and OK itself; on the focused Cancel it is Cancel.
    for (const char* focus : {"copiesBox", "skipCell2", "printOkButton", "printCancelButton"}) {
        const auto sheets = printed.size();
        click("printButton");
        find<QWidget>(focus)->setFocus(Qt::TabFocusReason);
        press(focus[0] == 's' ? Qt::Key_Enter : Qt::Key_Return);
        EXPECT_FALSE(find<QWidget>("printPanel")->isVisible()) << focus;
        EXPECT_EQ(printed.size(), sheets + (QByteArray(focus) == "printCancelButton" ? 0 : 1)) << focus;
    }
}

TEST_F(PrintCommandTest, copiesThatWouldPrintNothingOrTooManyAreToldAndThePanelStaysUp)
{
    openWith(1);
    auto* copies = find<QLineEdit>("copiesBox");
    const std::pair<const char*, QString> refused[] = {
        {"0", printing::NoCopiesMessage},    {"", printing::NoCopiesMessage},
        {"abc", printing::NoCopiesMessage},  {"-5", printing::NoCopiesMessage},
        {"0.5", printing::NoCopiesMessage},  {"1000", printing::TooManyCopiesMessage}};
    for (const auto& [typed, message] : refused) {
        dialogs.messages.clear();
        click("printButton");
        copies->clear();
        QTest::keyClicks(copies, QString::fromLatin1(typed));
        EXPECT_EQ(copies->text(), QString::fromLatin1(typed));
        click("printOkButton");
        ASSERT_EQ(dialogs.messages.size(), 1u) << typed;
        EXPECT_EQ(dialogs.messages[0].text, message) << typed;
        EXPECT_TRUE(find<QWidget>("printPanel")->isVisible()) << typed;
        for (const auto& ops : printed)
            EXPECT_EQ(count(ops, RecordedOp::Kind::Text), 0) << typed;
        click("printCancelButton");
    }
    // A fraction is not rounded: 2.5 prints two labels, each on a sheet of its own.
    click("printButton");
    copies->setText(QStringLiteral("2.5"));
    click("printOkButton");
    EXPECT_FALSE(find<QWidget>("printPanel")->isVisible());
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_EQ(count(printed.last(), RecordedOp::Kind::EndDoc), 2);
}

}  // namespace

namespace {

// Captions are six characters at most, but the date box takes any text: on a tractor label
// one of 44 characters cannot end before the next column even at 6 points.
TEST_F(PrintCommandTest, aValueTooLongEvenCondensedIsNamedAndPrintsOnlyWhenTheUserSaysSo)
{
    openWith(2);
    const QString date = QStringLiteral("Fourteenth of March, two thousand twenty-six");
    find<QLineEdit>("dateBox")->setText(date);

    click("printButton");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].text.startsWith(
        QStringLiteral("The Date value is too long to print in its place.")));
    EXPECT_TRUE(printed.isEmpty());   // cancelled: nothing printed

    dialogs.choiceAnswers = {QStringLiteral("Print anyway")};
    click("printButton");
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(count(printed[0], RecordedOp::Kind::EndDoc), 1);
    const auto value = std::find_if(printed[0].begin(), printed[0].end(),
                                    [&](const RecordedOp& op) { return op.text == date; });
    ASSERT_NE(value, printed[0].end());
    EXPECT_EQ(value->font.size, 6);
}

}  // namespace
