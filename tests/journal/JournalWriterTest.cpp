#include "store/StoreFixture.h"
#include "support/Results.h"

#include "journal/Journal.h"
#include "journal/JournalWriter.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

using namespace tagwright;
using namespace tagwright::test;
using journal::JournalEntry;

namespace {

// The entry of a label printed for `registration` that went to `destination`.
JournalEntry labelFor(const QString& registration, const QString& destination)
{
    JournalEntry e;
    e.destination = destination;
    e.facts.templateTitle = QStringLiteral("Oil Change");
    e.line(journal::Slot::Registration) = {QStringLiteral("Reg #"), registration};
    e.line(journal::Slot::Make) = {QStringLiteral("Make"), QStringLiteral("Piper PA-28")};
    e.request.label.body = QStringLiteral("Changed oil and filter.");
    return e;
}

// Hands a printed label's entry to the writer as the print pipeline does.
store::StoreError handOver(journal::JournalWriter& writer, JournalEntry entry)
{
    if (store::StoreError error = writer.begin(entry); !error.ok())
        return error;
    return writer.settle(entry, QStringLiteral("Printed"));
}

using JournalWriterTest = MainStoreTest;

}  // namespace

// The window's prints are journaled by the writer's own connection, in the order handed over,
// each stamped when it was handed over.
TEST_P(JournalWriterTest, entriesHandedOverAreWrittenInOrderWithTheTimeOfThePrint)
{
    journal::JournalWriter writer(db);
    const QDateTime before = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(handOver(writer, labelFor(QStringLiteral("N1"), QStringLiteral("Hangar laser"))).ok());
    ASSERT_TRUE(handOver(writer, labelFor(QStringLiteral("N3"), QStringLiteral("/tmp/n3.pdf"))).ok());
    const QDateTime handedOver = QDateTime::currentDateTimeUtc();
    writer.flush();
    const QVector<JournalEntry> entries = test::expectValue(journal::Journal(db).find({}, {}));
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].registration(), "N1");
    EXPECT_EQ(entries[1].registration(), "N3");
    EXPECT_EQ(entries[1].destination, "/tmp/n3.pdf");
    for (const JournalEntry& entry : entries) {
        EXPECT_GE(entry.printedAt.toMSecsSinceEpoch(), before.toMSecsSinceEpoch());
        EXPECT_LE(entry.printedAt.toMSecsSinceEpoch(), handedOver.toMSecsSinceEpoch());
        EXPECT_EQ(entry.result, "Printed");
    }
    const store::Result<std::optional<journal::Aircraft>> plane = journal::Journal(db).aircraftNamed(QStringLiteral("N3"));
    ASSERT_TRUE(plane.ok());
    EXPECT_TRUE(plane->has_value());
}

// A writer that goes while entries wait writes them first: closing the window loses none.
TEST_P(JournalWriterTest, entriesStillWaitingAreWrittenBeforeTheWriterGoes)
{
    {
        journal::JournalWriter writer(db);
        for (int i = 0; i < 5; ++i)
            static_cast<void>(handOver(writer, labelFor(QStringLiteral("N%1").arg(i), QStringLiteral("Laser"))));
    }
    const QVector<JournalEntry> entries = test::expectValue(journal::Journal(db).find({}, {}));
    EXPECT_EQ(entries.size(), 5);
}

TAGWRIGHT_ON_BOTH_ENGINES(JournalWriterTest);

// A file another program holds locked for a moment: the write waits for it, and the window's
// thread, waiting for the journal, keeps running its events (here the timer that frees it).
TEST(JournalWriterLockTest, aWriteWaitsForALockedFileWhileTheWindowsEventsRun)
{
    TempFolder folder;
    const QString path = folder.file(store::schema::MainFileName);
    store::Database db;
    ASSERT_TRUE(db.create(path, store::schema::mainStatements()).ok());
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        other.setDatabaseName(path);
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QTimer::singleShot(300, [&other] { other.commit(); });

        journal::JournalWriter writer(db);
        QStringList told;
        writer.setFailureHandler([&](const JournalEntry& entry, const store::StoreError&) { told << entry.destination; });
        static_cast<void>(handOver(writer, labelFor(QStringLiteral("N1"), QStringLiteral("Laser"))));
        writer.flush();
        EXPECT_TRUE(told.isEmpty()) << told.join(u',').toStdString();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    const QVector<JournalEntry> entries = test::expectValue(journal::Journal(db).find({}, {}));
    EXPECT_EQ(entries.size(), 1);
}

// A database the workstation may only read: the entry cannot be written, so begin() says
// so at once and the label must not leave; nothing is left for the failure handler.
TEST(JournalWriterFailureTest, anEntryThatCannotBeWrittenIsRefusedAtOnce)
{
    TempFolder folder;
    store::Database file;
    ASSERT_TRUE(file.create(folder.file(store::schema::MainFileName), store::schema::mainStatements()).ok());
    file.close();
    store::Database readOnly;
    ASSERT_TRUE(readOnly.open(folder.file(store::schema::MainFileName), store::schema::mainTables(),
                              store::Database::Access::ReadOnly).ok());
    journal::JournalWriter writer(readOnly);
    QStringList told;
    writer.setFailureHandler([&](const JournalEntry& entry, const store::StoreError&) { told << entry.destination; });
    for (const QString& destination : {QStringLiteral("first.pdf"), QStringLiteral("second.pdf")}) {
        JournalEntry entry = labelFor(QStringLiteral("N1"), destination);
        EXPECT_FALSE(writer.begin(entry).ok()) << destination.toStdString();
    }
    writer.flush();
    EXPECT_TRUE(told.isEmpty()) << told.join(u',').toStdString();
}
