#include "store/StoreFixture.h"
#include "support/JournalLabels.h"

#include "journal/Journal.h"
#include "journal/JournalModel.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

using namespace tagwright;
using journal::JournalEntry;
using journal::JournalModel;
using test::labelFor;

namespace {

// The journal view's list while other connections (other workstations) print.
class JournalModelTest : public test::MainStoreTest {
protected:
    void printOn(store::Database& where, const QString& registration, int labels)
    {
        QVector<JournalEntry> entries(labels, labelFor(registration));
        const store::StoreError error = journal::Journal(where).addAll(entries);
        ASSERT_TRUE(error.ok()) << error.describe().toStdString();
    }

    QVector<qint64> listed(JournalModel& model)
    {
        while (model.canFetchMore({}))
            model.fetchMore({});
        QVector<qint64> numbers;
        for (int row = 0; row < model.rowCount(); ++row)
            numbers << model.entryAt(row).number;
        return numbers;
    }

    static QVector<qint64> range(qint64 from, qint64 to)
    {
        QVector<qint64> numbers;
        for (qint64 n = from; from <= to ? n <= to : n >= to; from <= to ? ++n : --n)
            numbers << n;
        return numbers;
    }

    journal::Journal journal{db};
};

}  // namespace

TEST_P(JournalModelTest, entriesPrintedElsewhereWhileScrollingComeOnTopAndEachOnlyOnce)
{
    printOn(db, QStringLiteral("N1"), 450);
    store::Database workstation;
    openAnother(workstation);

    JournalModel model(journal);
    model.setFilter({});
    ASSERT_EQ(model.rowCount(), JournalModel::PageSize);
    EXPECT_EQ(model.total(), 450);
    EXPECT_EQ(model.entryAt(0).number, 450);

    // Printed between two pages: the next page goes on where the first ended.
    printOn(workstation, QStringLiteral("N2"), 3);
    model.fetchMore({});
    ASSERT_EQ(model.rowCount(), 2 * JournalModel::PageSize);
    EXPECT_EQ(model.entryAt(JournalModel::PageSize).number, 450 - JournalModel::PageSize);

    model.refresh();
    EXPECT_EQ(model.rowCount(), 2 * JournalModel::PageSize + 3);
    EXPECT_EQ(model.total(), 453);
    EXPECT_EQ(model.entryAt(0).number, 453);
    model.refresh();
    EXPECT_EQ(model.total(), 453);
    EXPECT_EQ(listed(model), range(453, 1));

    // Another order and a filter: what passes the filter comes on top, the rest stays out.
    model.setFilter([] {
        journal::JournalFilter filter;
        filter.registration = QStringLiteral("n2");
        filter.prefixes = true;
        return filter;
    }());
    model.sort(JournalModel::Number, Qt::AscendingOrder);
    EXPECT_EQ(listed(model), range(451, 453));
    printOn(workstation, QStringLiteral("N1"), 1);
    printOn(workstation, QStringLiteral("N2"), 1);
    model.refresh();
    EXPECT_EQ(listed(model), (QVector<qint64>{455, 451, 452, 453}));
    EXPECT_EQ(model.total(), 4);
}

// On a server, an entry numbered first may arrive last: two workstations print at once and
// the first one's transaction ends after the second's.
TEST_P(JournalModelTest, anEntryThatArrivesAfterAHigherNumberedOneIsStillListedOnce)
{
    if (GetParam() != test::Engine::Postgres)
        GTEST_SKIP() << "a file takes one writer at a time";
    printOn(db, QStringLiteral("N1"), 250);
    store::Database quick;
    openAnother(quick);
    JournalModel model(journal);
    model.setFilter({});
    {
        QSqlDatabase slow = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("slow"));
        slow.setConnectOptions(dataPath);
        ASSERT_TRUE(slow.open());
        ASSERT_TRUE(slow.transaction());
        QSqlQuery insert(slow);
        ASSERT_TRUE(insert.exec(QStringLiteral("INSERT INTO \"Journal\" (\"Registration\") VALUES ('N3')")));
        printOn(quick, QStringLiteral("N4"), 1);
        model.refresh();
        EXPECT_EQ(model.entryAt(0).number, 252);
        ASSERT_TRUE(slow.commit());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("slow"));
    model.refresh();
    const QVector<qint64> numbers = listed(model);
    EXPECT_EQ(numbers.mid(0, 2), (QVector<qint64>{251, 252}));
    EXPECT_EQ(QSet<qint64>(numbers.cbegin(), numbers.cend()).size(), 252);
    EXPECT_EQ(numbers.size(), 252);
}

TAGWRIGHT_ON_BOTH_ENGINES(JournalModelTest);
