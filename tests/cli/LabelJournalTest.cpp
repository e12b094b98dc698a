#include "cli/ShopDatabase.h"
#include "support/Results.h"

#include "cli/CommandLine.h"
#include "journal/Journal.h"
#include "journal/PrintInput.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

#include <csignal>

using namespace tagwright;
using namespace tagwright::test;

namespace {

// A shop printed from by the command line, in-process and as separate processes.
class LabelJournal : public ::testing::Test {
protected:
    void SetUp() override
    {
        shop.addCompany(skylineCompany());
        shop.addTemplate(hundredHourTemplate());
    }

    int cli(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        QTextStream os(&out), es(&err);
        cli::Environment environment;
        environment.setupPath = shop.setupPath();
        environment.dataFolder = shop.folder.path();
        const int code = cli::runCommandLine(arguments, os, es, environment);
        es.flush();
        return code;
    }

    QStringList printArguments(const QString& pdf) const
    {
        return {QStringLiteral("print"), QStringLiteral("--setup"), shop.setupPath(),
                QStringLiteral("--value"), QStringLiteral("LeftTop=N12345"), QStringLiteral("--pdf"), pdf};
    }

    void startPrint(QProcess& process, const QString& pdf) const
    {
        process.setWorkingDirectory(shop.folder.path());
        process.start(QStringLiteral(TAGWRIGHT_CLI_PROGRAM), printArguments(pdf));
    }

    QVector<journal::JournalEntry> entries()
    {
        store::Database main;
        EXPECT_TRUE(main.openMain(shop.folder.path()).ok());
        const QVector<journal::JournalEntry> found = test::expectValue(journal::Journal(main).find({}, {}));
        return found;
    }

    QStringList temporaries() const
    {
        return QDir(shop.folder.path()).entryList({QStringLiteral("*.part*"), QStringLiteral(".*.tmp")},
                                                  QDir::Files | QDir::Hidden | QDir::System);
    }

    ShopDatabase shop;
    QString out;
    QString err;
};

}  // namespace

// Another program changed the Journal into something that takes no entries: the label is
// not placed, and the command says why.
TEST_F(LabelJournal, aJournalThatRefusesTheEntryStopsTheLabelBeforeItIsPlaced)
{
    ASSERT_EQ(cli(printArguments(shop.folder.file(QStringLiteral("first.pdf")))), 0) << err.toStdString();
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(shop.folder.file(store::schema::MainFileName));
        ASSERT_TRUE(raw.open());
        QSqlQuery query(raw);
        ASSERT_TRUE(query.exec(QStringLiteral("ALTER TABLE Journal RENAME TO Kept")));
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE VIEW Journal AS SELECT * FROM Kept")));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    const QString pdf = shop.folder.file(QStringLiteral("second.pdf"));
    EXPECT_EQ(cli(printArguments(pdf)), 1);
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("the journal could not record it"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("view"))) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(temporaries().isEmpty()) << temporaries().join(u' ').toStdString();
}

// An entry whose label was being placed when the program stopped stays in the journal, saying
// so; the label's own entry reads "Printed" once placed.
TEST_F(LabelJournal, anEntryLeftPrintingByAStoppedProgramIsListedAsPrinting)
{
    ASSERT_EQ(cli(printArguments(shop.folder.file(QStringLiteral("placed.pdf")))), 0) << err.toStdString();
    {
        store::Database main;
        ASSERT_TRUE(main.openMain(shop.folder.path()).ok());
        journal::JournalEntry interrupted;
        interrupted.facts.templateTitle = QStringLiteral("100 Hour");
        interrupted.destination = shop.folder.file(QStringLiteral("cut.pdf"));
        interrupted.result = journal::PrintingResult;
        ASSERT_TRUE(journal::Journal(main).add(interrupted).ok());
    }
    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--setup"), shop.setupPath()}), 0) << err.toStdString();
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << out.toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("placed.pdf, Printed"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral("cut.pdf, Printing"))) << lines[2].toStdString();
}

// kill -9 at any moment of a print: a PDF in place always has its entry, and the next print
// finds no temporary file to leave behind.
TEST_F(LabelJournal, aPrintKilledAtAnyMomentLeavesNoLabelWithoutItsEntry)
{
    QProcess timing;
    QElapsedTimer clock;
    clock.start();
    startPrint(timing, shop.folder.file(QStringLiteral("timing.pdf")));
    ASSERT_TRUE(timing.waitForFinished(60000));
    ASSERT_EQ(timing.exitCode(), 0) << timing.readAllStandardError().toStdString();
    const int span = int(clock.elapsed()) + 20;
    for (int run = 0; run < 40; ++run) {
        QProcess process;
        startPrint(process, shop.folder.file(QStringLiteral("label-%1.pdf").arg(run)));
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(QRandomGenerator::global()->bounded(span));
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished();
    }
    QStringList placed = QDir(shop.folder.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QStringList journaled;
    for (const journal::JournalEntry& entry : entries())
        journaled << QFileInfo(entry.destination).fileName();
    for (const QString& pdf : placed)
        EXPECT_TRUE(journaled.contains(pdf)) << pdf.toStdString() << " has no entry";
    ASSERT_EQ(cli(printArguments(shop.folder.file(QStringLiteral("after.pdf")))), 0) << err.toStdString();
    EXPECT_TRUE(temporaries().isEmpty()) << temporaries().join(u' ').toStdString();
}

// Two programs printing into one shop file take turns at the journal; none loses an entry.
TEST_F(LabelJournal, twoProgramsPrintingIntoOneFileEachKeepEveryEntry)
{
    constexpr int Labels = 12;
    const auto printer = [&](const QString& name) {
        int failures = 0;
        for (int i = 0; i < Labels; ++i) {
            QProcess process;
            startPrint(process, shop.folder.file(QStringLiteral("%1-%2.pdf").arg(name).arg(i)));
            process.waitForFinished(60000);
            failures += process.exitCode() != 0;
        }
        return failures;
    };
    int otherFailures = -1;
    QThread* other = QThread::create([&] { otherFailures = printer(QStringLiteral("b")); });
    other->start();
    const int failures = printer(QStringLiteral("a"));
    other->wait();
    delete other;
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(otherFailures, 0);
    EXPECT_EQ(entries().size(), 2 * Labels);
}
