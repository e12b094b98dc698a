#include "mainwindow/MenuWindowFixture.h"
#include "support/Results.h"

#include "journal/Journal.h"
#include "journal/JournalWriter.h"
#include "journalview/AircraftPage.h"
#include "journalview/JournalWindow.h"
#include "mainwindow/PrintCommand.h"
#include "mainwindow/TemplateCard.h"
#include "printing/RecordingSurface.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>

using namespace tagwright;
using journal::JournalEntry;

namespace {

// Prints onto recording surfaces, as a printer called "Hangar laser".
class RecordingPrinter : public printjob::LabelOutput {
public:
    store::Result<std::unique_ptr<printing::PrinterSurface>, printjob::OutputProblem>
    open(const QString&) override
    {
        return std::unique_ptr<printing::PrinterSurface>(std::make_unique<printing::RecordingSurface>());
    }
    QString complete(printing::PrinterSurface& surface) override
    {
        traces << static_cast<printing::RecordingSurface&>(surface).traceLines();
        return {};
    }
    QString place() override
    {
        if (placing)
            placing();
        return {};
    }
    QString destination() const override { return QStringLiteral("Hangar laser"); }

    QStringList traces;
    std::function<void()> placing;   // runs as the labels are put in place
};

class JournalViewTest : public test::MenuWindowTest {
protected:
    // The window on tractor stock (Print prints at once), printing on a recording printer.
    void open()
    {
        openMenuWindow(2, QStringLiteral("Inspected per 100 hour checklist."));
        auto output = std::make_unique<RecordingPrinter>();
        printer = output.get();
        window->printCommand().setOutput(std::move(output));
    }

    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }

    void printFor(const QString& registration, const QString& make, const QString& serial,
                  const QString& tach = {})
    {
        for (const char* name : {"registrationBox", "makeBox", "serialBox", "tachBox", "totalTimeBox",
                                 "smohBox"})
            box(name)->clear();
        box("registrationBox")->setText(registration);
        box("makeBox")->setText(make);
        box("serialBox")->setText(serial);
        box("tachBox")->setText(tach);
        QTest::mouseClick(find<QPushButton>("printButton"), Qt::LeftButton);
    }

    QVector<JournalEntry> entries(const journal::JournalFilter& filter = {})
    {
        window->journalWriter().flush();
        const QVector<JournalEntry> found = test::expectValue(journal::Journal(mainDb).find(filter, {}));
        return found;
    }

    journalview::JournalWindow* openJournal()
    {
        action("actionJournal")->trigger();
        return window->findChild<journalview::JournalWindow*>(QStringLiteral("JournalWindow"));
    }

    RecordingPrinter* printer = nullptr;
};

}  // namespace

TEST_F(JournalViewTest, printAndExportFromTheWindowAddEntriesWithTheWindowsValues)
{
    open();
    // The label's entry is in the journal before the label is put in place.
    QVector<JournalEntry> atPlacing;
    printer->placing = [&] { atPlacing = test::expectValue(journal::Journal(mainDb).find({}, {})); };
    box("dateBox")->setText(QStringLiteral("03-07-2026"));
    printFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"), QStringLiteral("1234.5"));
    ASSERT_EQ(printer->traces.size(), 1);
    ASSERT_EQ(atPlacing.size(), 1);
    EXPECT_EQ(atPlacing[0].registration(), "N123AB");
    QVector<JournalEntry> journaled = entries();
    ASSERT_EQ(journaled.size(), 1);
    const JournalEntry& entry = journaled.first();
    EXPECT_EQ(entry.facts.templateTitle, "Annual");
    EXPECT_EQ(entry.registration(), "N123AB");
    EXPECT_EQ(entry.line(journal::Slot::Tach).value, "1234.5");
    EXPECT_EQ(entry.line(journal::Slot::Tach).caption, "Tach");
    EXPECT_EQ(entry.request.label.date, "03-07-2026");
    EXPECT_EQ(entry.request.label.body, "Inspected per 100 hour checklist.");
    EXPECT_TRUE(entry.tractorFeed());
    EXPECT_EQ(entry.destination, "Hangar laser");
    EXPECT_EQ(entry.result, "Printed");

    dialogs.fileNameAnswer = folder.file(QStringLiteral("exported"));
    action("actionExportPdf")->trigger();
    ASSERT_TRUE(QFile::exists(folder.file(QStringLiteral("exported.pdf"))));
    journaled = entries();
    ASSERT_EQ(journaled.size(), 2);
    EXPECT_EQ(journaled[1].destination, folder.file(QStringLiteral("exported.pdf")));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(JournalViewTest, printFromEitherPreviewGoesWherePrintGoesAndIsJournaledOnce)
{
    open();
    box("registrationBox")->setText(QStringLiteral("N4521Q"));
    action("actionPrintPreview")->trigger();   // only looked at
    EXPECT_GT(dialogs.previewPages, 0);
    EXPECT_TRUE(printer->traces.isEmpty());
    EXPECT_TRUE(entries().isEmpty());

    dialogs.printFromPreview = true;
    action("actionPrintPreview")->trigger();
    ASSERT_EQ(printer->traces.size(), 1);
    QVector<JournalEntry> journaled = entries();
    ASSERT_EQ(journaled.size(), 1);
    EXPECT_EQ(journaled[0].registration(), "N4521Q");
    EXPECT_EQ(journaled[0].destination, "Hangar laser");
    EXPECT_EQ(journaled[0].facts.repeats, -1);

    // From the journal view's preview of that entry: a reprint of it.
    journalview::JournalWindow* view = openJournal();
    view->findChild<QTableView*>(QStringLiteral("journalTable"))->selectRow(0);
    view->showSelected();
    ASSERT_EQ(printer->traces.size(), 2);
    EXPECT_EQ(printer->traces[1], printer->traces[0]);
    journaled = entries();
    ASSERT_EQ(journaled.size(), 2);
    EXPECT_EQ(journaled[1].facts.repeats, journaled[0].number);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Picking a known aircraft puts its make and serial on the card; values already there that
// say otherwise are named in a question first, and stay unless the user takes the known ones.
TEST_F(JournalViewTest, choosingAKnownRegistrationReplacesMakeAndSerialAskingAboutOthers)
{
    open();
    box("dateBox")->setText(QStringLiteral("03-07-2026"));
    printFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"), QStringLiteral("1234.5"));
    // The completion offers what the journal holds: the prints' entries are written by now.
    window->journalWriter().flush();

    struct Pick {
        QString make, serial;     // on the card before the pick
        const char* answer;       // none: no question, or the question cancelled
        bool asked;
        QString makeAfter, serialAfter;
    };
    const Pick picks[] = {
        {"", "", nullptr, false, "Cessna 172", "17265432"},
        {"CESSNA  172", "", nullptr, false, "Cessna 172", "17265432"},   // the same, written otherwise
        {"Beech A36", "170002", nullptr, true, "Beech A36", "170002"},
        {"Beech A36", "170002", "Keep what is typed", true, "Beech A36", "170002"},
        {"", "170002", "Use the known values", true, "Cessna 172", "17265432"},
    };
    QLineEdit* registration = box("registrationBox");
    for (const Pick& pick : picks) {
        registration->clear();
        box("tachBox")->clear();
        box("makeBox")->setText(pick.make);
        box("serialBox")->setText(pick.serial);
        dialogs.questions.clear();
        if (pick.answer)
            dialogs.choiceAnswers.push_back(QString::fromLatin1(pick.answer));
        registration->setFocus();
        QTest::keyClicks(registration, QStringLiteral("n12"));
        QCompleter* completer = registration->completer();
        ASSERT_NE(completer, nullptr);
        ASSERT_TRUE(completer->popup()->isVisible());
        if (!completer->popup()->currentIndex().isValid())
            QTest::keyClick(completer->popup(), Qt::Key_Down);
        ASSERT_EQ(completer->popup()->currentIndex().row(), 0);
        QTest::keyClick(completer->popup(), Qt::Key_Return);

        const std::string at = pick.make.toStdString() + "/" + pick.serial.toStdString();
        EXPECT_EQ(registration->text(), "N123AB") << at;
        ASSERT_EQ(dialogs.questions.size(), pick.asked ? 1u : 0u) << at;
        if (pick.asked) {
            EXPECT_TRUE(dialogs.questions[0].text.startsWith(
                QStringLiteral("N123AB is known as Cessna 172, 17265432; this label says "))) << at;
        }
        EXPECT_EQ(box("Text4")->text(), pick.makeAfter) << at;
        EXPECT_EQ(box("Text5")->text(), pick.serialAfter) << at;
        EXPECT_EQ(box("Text6")->text(), "");               // times are never filled in
        EXPECT_EQ(box("Text6")->placeholderText(), "1234.5");
        EXPECT_TRUE(box("Text6")->toolTip().contains(QStringLiteral("03-07-2026")));
    }
    QTest::keyClicks(registration, QStringLiteral("X"));
    EXPECT_EQ(box("tachBox")->placeholderText(), "");

    // The hints go with the values when the card empties them: a page step.
    registration->clear();
    QTest::keyClicks(registration, QStringLiteral("n12"));
    registration->completer()->popup()->setCurrentIndex(registration->completer()->completionModel()->index(0, 0));
    QTest::keyClick(registration->completer()->popup(), Qt::Key_Return);
    ASSERT_EQ(box("tachBox")->placeholderText(), "1234.5");
    window->card().pageForward();
    EXPECT_EQ(registration->text(), "");
    EXPECT_EQ(box("tachBox")->placeholderText(), "");
}

// A label that gives a known aircraft another make or serial is asked about before it prints.
TEST_F(JournalViewTest, printingAnotherMakeAndSerialForAKnownAircraftAsksFirst)
{
    open();
    printFor(QStringLiteral("N005TW"), QStringLiteral("Cessna 172N"), QStringLiteral("170005"));
    window->journalWriter().flush();
    struct Answer {
        const char* button;   // none: Cancel
        int printed;          // labels printed by the answer
        QString make, serial; // on the card afterwards, and on the label printed
    };
    const Answer answers[] = {
        {nullptr, 0, "Beech A36", "170002"},
        {"Print as typed", 1, "Beech A36", "170002"},
        {"Use the known values", 1, "Cessna 172N", "170005"},
    };
    for (const Answer& answer : answers) {
        const int before = int(entries().size());
        dialogs.questions.clear();
        if (answer.button)
            dialogs.choiceAnswers.push_back(QString::fromLatin1(answer.button));
        printFor(QStringLiteral("n005tw "), QStringLiteral("Beech A36"), QStringLiteral("170002"));
        ASSERT_EQ(dialogs.questions.size(), 1u);
        EXPECT_EQ(dialogs.questions[0].text,
                  "N005TW is known as Cessna 172N, 170005; this label says Beech A36, 170002");
        EXPECT_EQ(dialogs.questionChoices[0], QStringList({"Print as typed", "Use the known values"}));
        EXPECT_EQ(box("makeBox")->text(), answer.make);
        EXPECT_EQ(box("serialBox")->text(), answer.serial);
        const QVector<JournalEntry> journaled = entries();
        ASSERT_EQ(journaled.size(), before + answer.printed);
        if (answer.printed) {
            EXPECT_EQ(journaled.last().line(journal::Slot::Make).value, answer.make);
        }
    }
    // The known aircraft keeps what it knows, whatever was printed as typed.
    const auto known = journal::Journal(mainDb).aircraftNamed(QStringLiteral("N005TW"));
    EXPECT_EQ((*known)->make, "Cessna 172N");

    // What agrees (blanks and letter case aside) prints without a question.
    dialogs.questions.clear();
    printFor(QStringLiteral("N005TW"), QStringLiteral("cessna  172n"), QString());
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(JournalViewTest, theViewFiltersShowsEntriesAndReprintsThemAsTheyWere)
{
    open();
    printFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("1"));
    printFor(QStringLiteral("N9876"), QStringLiteral("Piper"), QStringLiteral("2"));
    printFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("1"));
    const QString firstTrace = printer->traces.first();

    journalview::JournalWindow* view = openJournal();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    auto* table = view->findChild<QTableView*>(QStringLiteral("journalTable"));
    EXPECT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), "3");   // newest first

    view->findChild<QLineEdit*>(QStringLiteral("journalRegistration"))->setText(QStringLiteral("n9876"));
    view->applyFilter();
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(table->model()->index(0, 2).data().toString(), "N9876");

    view->findChild<QLineEdit*>(QStringLiteral("journalRegistration"))->setText(QStringLiteral("N123AB"));
    view->applyFilter();
    ASSERT_EQ(table->model()->rowCount(), 2);
    table->sortByColumn(0, Qt::AscendingOrder);
    table->selectRow(0);
    ASSERT_NE(view->selectedEntry(), nullptr);
    EXPECT_EQ(view->selectedEntry()->number, 1);

    // The template changes; the reprint is the label as it printed then.
    window->controls().bodyBox->setPlainText(QStringLiteral("Something else"));
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("journalReprint")), Qt::LeftButton);
    ASSERT_EQ(printer->traces.size(), 4);
    EXPECT_EQ(printer->traces.last(), firstTrace);
    const QVector<JournalEntry> journaled = entries();
    ASSERT_EQ(journaled.size(), 4);
    EXPECT_EQ(journaled.last().facts.repeats, 1);
    EXPECT_EQ(table->model()->rowCount(), 3);

    dialogs.fileNameAnswer = folder.file(QStringLiteral("shown.csv"));
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("journalExport")), Qt::LeftButton);
    QFile csv(dialogs.fileNameAnswer);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count("\r\n"), 4);   // the heading and the three entries shown
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(JournalViewTest, anAircraftIsCorrectedAndRemovedOnTheAircraftPage)
{
    open();
    printFor(QStringLiteral("N123AB"), QStringLiteral("Cesna"), QStringLiteral("1"));
    printFor(QStringLiteral("N9876"), QStringLiteral("Piper"), QStringLiteral("2"));
    journalview::JournalWindow* view = openJournal();
    auto* table = view->findChild<QTableWidget*>(QStringLiteral("aircraftTable"));
    ASSERT_EQ(table->rowCount(), 2);
    table->item(0, 1)->setText(QStringLiteral("Cessna"));
    EXPECT_TRUE(view->aircraftPage().saveCorrections());
    const store::Result<std::optional<journal::Aircraft>> plane = journal::Journal(mainDb).aircraftNamed(QStringLiteral("N123AB"));
    ASSERT_TRUE(plane.ok() && plane->has_value());
    EXPECT_EQ((*plane)->make, "Cessna");

    table->setCurrentCell(1, 0);
    dialogs.choiceAnswers = {QStringLiteral("Remove")};
    view->aircraftPage().removeSelected();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), "N123AB");
}
