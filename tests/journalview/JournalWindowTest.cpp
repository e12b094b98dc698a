#include "store/StoreFixture.h"
#include "support/FakeDialogs.h"
#include "support/JournalLabels.h"

#include "journal/Journal.h"
#include "journal/JournalWriter.h"
#include "journalview/AircraftCompletion.h"
#include "journalview/AircraftPage.h"
#include "journalview/DayBox.h"
#include "journalview/JournalWindow.h"
#include "mainwindow/LabelSource.h"
#include "session/CardSession.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace tagwright;
using journal::JournalEntry;
using test::labelFor;

namespace {

// The journal view on its own, over a shop's database on either engine.
class JournalWindowTest : public test::MainStoreTest {
protected:
    void TearDown() override
    {
        view.reset();
        printing.reset();
        writer.reset();
    }

    void print(const QVector<JournalEntry>& labels)
    {
        QVector<JournalEntry> entries = labels;
        const store::StoreError error = journal::Journal(db).addAll(entries);
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    }

    void open()
    {
        writer = std::make_unique<journal::JournalWriter>(db);
        // The view is looked at, not printed from: its printing has nowhere to print.
        printing = std::make_unique<mainwindow::LabelSource>(session, *writer, dialogs, nullptr, nullptr);
        view = std::make_unique<journalview::JournalWindow>(
            journalview::JournalPlace{db, *writer, dialogs, nullptr, *printing});
        view->openJournal();
        QCoreApplication::processEvents();
    }

    template <class T>
    T* find(const char* name) const
    {
        T* found = view->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QVector<qint64> listed()
    {
        journal::JournalModel& model = view->model();
        while (model.canFetchMore({}))
            model.fetchMore({});
        QVector<qint64> numbers;
        for (int row = 0; row < model.rowCount(); ++row)
            numbers << model.entryAt(row).number;
        return numbers;
    }

    QString count() const { return find<QLabel>("journalCount")->text(); }

    journal::Aircraft aircraft(const QString& registration)
    {
        const store::Result<std::optional<journal::Aircraft>> plane = journal::Journal(db).aircraftNamed(registration);
        EXPECT_TRUE(plane.ok());
        return plane.ok() ? plane->value_or(journal::Aircraft()) : journal::Aircraft();
    }

    test::FakeDialogs dialogs;
    std::unique_ptr<journal::JournalWriter> writer;
    session::CardSession session;
    std::unique_ptr<mainwindow::LabelSource> printing;
    std::unique_ptr<journalview::JournalWindow> view;
};

using JournalWindowOnBothEngines = JournalWindowTest;

}  // namespace

// Another program prints 500 labels while the user scrolls down the list: each entry is
// listed once, the new ones on top, and the rows in view stay where they are.
TEST_P(JournalWindowOnBothEngines, aViewScrolledWhileAnotherProgramPrintsListsEachEntryOnce)
{
    print(QVector<JournalEntry>(700, labelFor(QStringLiteral("N1"))));
    open();
    auto* table = find<QTableView>("journalTable");
    QScrollBar* bar = table->verticalScrollBar();
    QProcess feeder;
    feeder.start(QStringLiteral(TAGWRIGHT_JOURNAL_FEEDER), {dataPath, QStringLiteral("500")});
    ASSERT_TRUE(feeder.waitForStarted());
    int steps = 0;
    while (feeder.state() != QProcess::NotRunning && steps < 5000) {
        ++steps;
        // Down a few rows at a time; at the end of what is read, the view reads the next page.
        bar->setValue(std::min(bar->maximum(), bar->value() + 7));
        QCoreApplication::processEvents();
        // At the very end the last row is aligned to the bottom instead; the list is read on.
        const bool midway = bar->value() > 0 && bar->value() < bar->maximum();
        const qint64 inView = view->model().entryAt(std::max(0, table->rowAt(0))).number;
        view->refreshEntries();
        QCoreApplication::processEvents();
        if (midway) {
            EXPECT_EQ(view->model().entryAt(table->rowAt(0)).number, inView);
        }
        QTest::qWait(2);
    }
    if (feeder.state() != QProcess::NotRunning) {
        ASSERT_TRUE(feeder.waitForFinished(60000));
    }
    ASSERT_EQ(feeder.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(feeder.exitCode(), 0) << feeder.readAllStandardError().toStdString();
    view->refreshEntries();

    const QVector<qint64> numbers = listed();
    EXPECT_TRUE(view->model().lastError().ok()) << view->model().lastError().describe().toStdString();
    EXPECT_EQ(QSet<qint64>(numbers.cbegin(), numbers.cend()).size(), numbers.size());
    EXPECT_EQ(numbers.size(), 1200);
    EXPECT_EQ(numbers.first(), 1200);
    EXPECT_EQ(count(), QLocale().toString(1200) + QStringLiteral(" entries"));
}

TAGWRIGHT_ON_BOTH_ENGINES(JournalWindowOnBothEngines);

INSTANTIATE_TEST_SUITE_P(File, JournalWindowTest, ::testing::Values(test::Engine::Sqlite), test::engineName);

TEST_P(JournalWindowTest, filtersTakeHowAValueStartsAndDaysFromBoxesThatStartEmpty)
{
    JournalEntry old = labelFor(QStringLiteral("n123ab "));
    old.printedAt = QDateTime(QDate(2025, 3, 14), QTime(12, 0));
    print({labelFor(QStringLiteral("N123AB")), labelFor(QStringLiteral("N9876")), old});
    open();
    EXPECT_EQ(count(), "3 entries");

    auto* since = find<journalview::DayBox>("journalSince");
    auto* until = find<journalview::DayBox>("journalUntil");
    EXPECT_FALSE(since->day().isValid());
    EXPECT_EQ(since->textBox()->text(), "");
    EXPECT_EQ(since->textBox()->placeholderText(), "any day");
    EXPECT_TRUE(since->textBox()->isClearButtonEnabled());
    since->prepareCalendar();
    EXPECT_EQ(since->calendar()->selectedDate(), QDate::currentDate());

    find<QLineEdit>("journalRegistration")->setText(QStringLiteral("n12"));
    view->applyFilter();
    EXPECT_EQ(listed(), (QVector<qint64>{3, 1}));
    EXPECT_EQ(count(), "2 entries");

    since->textBox()->setText(QStringLiteral("03-14-2025"));
    until->setDay(QDate(2025, 3, 14));
    EXPECT_EQ(listed(), (QVector<qint64>{3}));
    EXPECT_EQ(count(), "1 entry");
    until->prepareCalendar();
    EXPECT_EQ(until->calendar()->selectedDate(), QDate(2025, 3, 14));

    // Clearing goes back to any day; text that is no day filters nothing.
    since->textBox()->clear();
    EXPECT_FALSE(since->day().isValid());
    EXPECT_EQ(listed(), (QVector<qint64>{3}));
    until->textBox()->setText(QStringLiteral("2025-02-30"));
    EXPECT_FALSE(until->day().isValid());
    EXPECT_EQ(listed(), (QVector<qint64>{3, 1}));
}

TEST_P(JournalWindowTest, everyEditedAircraftIsSavedAndLeavingWithCorrectionsUnsavedAsks)
{
    print({labelFor(QStringLiteral("N1"), QStringLiteral("Cesna")), labelFor(QStringLiteral("N2"), QStringLiteral("Pipr")),
           labelFor(QStringLiteral("N3"), QStringLiteral("Mooney"))});
    open();
    journalview::AircraftPage& page = view->aircraftPage();
    auto* table = find<QTableWidget>("aircraftTable");
    ASSERT_EQ(table->rowCount(), 3);
    table->item(0, journalview::AircraftPage::Make)->setText(QStringLiteral("Cessna"));
    table->item(1, journalview::AircraftPage::Make)->setText(QStringLiteral("Piper"));

    dialogs.choiceAnswers = {QStringLiteral("Cancel")};
    view->reject();
    EXPECT_TRUE(view->isVisible());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions.back().text, "The corrections to N1, N2 are not saved. Save them?");
    // The question's own Cancel completes them: a second one would stand beside it.
    EXPECT_EQ(dialogs.questionChoices.back(), QStringList({"Save", "Discard"}));
    // Opening the view again reads the aircraft and keeps the corrections.
    view->openJournal();
    EXPECT_EQ(table->item(1, journalview::AircraftPage::Make)->text(), "Piper");
    EXPECT_EQ(aircraft(QStringLiteral("N2")).make, "Pipr");

    QTest::mouseClick(find<QPushButton>("aircraftSave"), Qt::LeftButton);
    EXPECT_EQ(aircraft(QStringLiteral("N1")).make, "Cessna");
    EXPECT_EQ(aircraft(QStringLiteral("N2")).make, "Piper");
    EXPECT_FALSE(page.hasUnsavedCorrections());

    // A correction that cannot be saved stays, saying why; the others are saved.
    table->item(0, journalview::AircraftPage::Registration)->setText(QStringLiteral("n3"));
    table->item(1, journalview::AircraftPage::Serial)->setText(QStringLiteral("28-123"));
    EXPECT_FALSE(page.saveCorrections());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.back().text, "Another aircraft is registered as n3.");
    EXPECT_EQ(aircraft(QStringLiteral("N2")).serial, "28-123");
    EXPECT_EQ(table->item(0, journalview::AircraftPage::Registration)->text(), "n3");

    dialogs.choiceAnswers = {QStringLiteral("Discard")};
    view->reject();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(aircraft(QStringLiteral("N1")).registration, "N1");

    view->openJournal();
    table->item(2, journalview::AircraftPage::Make)->setText(QStringLiteral("Mooney M20"));
    dialogs.choiceAnswers = {QStringLiteral("Save")};
    view->close();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(aircraft(QStringLiteral("N3")).make, "Mooney M20");
}

TEST_P(JournalWindowTest, aLabelsDisagreementShowsUntilSettledAndRemovingAsks)
{
    print({labelFor(QStringLiteral("N005TW"), QStringLiteral("Cessna 172N"), QStringLiteral("170005")),
           labelFor(QStringLiteral("N005TW"), QStringLiteral("Beech A36"), QStringLiteral("170002")),
           labelFor(QStringLiteral("N9"), QStringLiteral("Piper"))});
    open();
    auto* table = find<QTableWidget>("aircraftTable");
    const int says = journalview::AircraftPage::LabelsSay;
    EXPECT_EQ(table->item(0, says)->text(), "Beech A36, 170002 (entry 2)");
    EXPECT_EQ(table->item(1, says)->text(), "");
    EXPECT_EQ(table->item(0, journalview::AircraftPage::Make)->text(), "Cessna 172N");

    table->setCurrentCell(0, 0);
    dialogs.choiceAnswers = {QStringLiteral("Cancel")};
    QTest::mouseClick(find<QPushButton>("aircraftRemove"), Qt::LeftButton);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions.back().text, "Remove N005TW from the shop's aircraft? Its journal entries stay.");
    EXPECT_EQ(dialogs.questionChoices.back(), QStringList({"Remove"}));
    EXPECT_EQ(table->rowCount(), 2);

    QTest::mouseClick(find<QPushButton>("aircraftUseLabel"), Qt::LeftButton);
    EXPECT_EQ(aircraft(QStringLiteral("N005TW")).make, "Cessna 172N");   // not before it is saved
    QTest::mouseClick(find<QPushButton>("aircraftSave"), Qt::LeftButton);
    journal::Aircraft plane = aircraft(QStringLiteral("N005TW"));
    EXPECT_EQ(plane.make, "Beech A36");
    EXPECT_EQ(plane.serial, "170002");
    EXPECT_EQ(table->item(0, says)->text(), "");

    table->setCurrentCell(1, 0);
    dialogs.choiceAnswers = {QStringLiteral("Remove")};
    QTest::mouseClick(find<QPushButton>("aircraftRemove"), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(listed().size(), 3);
}

TEST_P(JournalWindowTest, theRegistrationListShowsMakeAndSerialInFull)
{
    print({labelFor(QStringLiteral("N123AB"), QStringLiteral("Beechcraft Bonanza A36TC"), QStringLiteral("EA-1234567"))});
    QWidget card;
    std::array<QLineEdit*, 6> boxes;
    for (QLineEdit*& box : boxes) {
        box = new QLineEdit(&card);
        box->setFixedWidth(60);
    }
    writer = std::make_unique<journal::JournalWriter>(db);
    journalview::AircraftCompletion completion(db, *writer, boxes, dialogs, &card);
    card.show();
    card.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&card));
    boxes[0]->setFocus();
    QTest::keyClicks(boxes[0], QStringLiteral("n1"));
    QAbstractItemView* popup = completion.completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    const QFontMetrics metrics(popup->font());
    int needed = 0;
    for (int column = 0; column < 3; ++column) {
        const QString text = popup->model()->index(0, column).data().toString();
        EXPECT_FALSE(text.isEmpty()) << column;
        needed += metrics.horizontalAdvance(text);
    }
    EXPECT_GT(popup->width(), needed);
    EXPECT_GT(popup->width(), boxes[0]->width());
}
