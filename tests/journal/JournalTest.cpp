#include "store/StoreFixture.h"

#include "journal/Journal.h"
#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"

#include <QSqlDatabase>
#include <QSqlQuery>

using namespace tagwright;
using namespace tagwright::test;
using journal::Journal;
using journal::JournalEntry;
using journal::Slot;

namespace {

JournalEntry labelFor(const QString& registration, const QString& make, const QString& serial)
{
    JournalEntry e;
    e.templateTitle = QStringLiteral("100 Hour");
    e.line(Slot::Registration) = {QStringLiteral("Reg #"), registration};
    e.line(Slot::Make) = {QStringLiteral("Make"), make};
    e.line(Slot::Serial) = {QStringLiteral("Serial"), serial};
    e.date = QStringLiteral("03-07-2026");
    e.body = QStringLiteral("Performed 100 hour inspection.");
    e.destination = QStringLiteral("/tmp/label.pdf");
    e.result = QStringLiteral("Printed");
    return e;
}

// A filter with what `fill` sets.
template <class Fill>
journal::JournalFilter where(Fill fill)
{
    journal::JournalFilter filter;
    fill(filter);
    return filter;
}

class JournalTest : public MainStoreTest {
protected:
    qint64 add(JournalEntry entry)
    {
        const store::StoreError error = journal.add(entry);
        EXPECT_TRUE(error.ok()) << error.describe().toStdString();
        return entry.number;
    }

    QVector<qint64> numbers(const journal::JournalFilter& filter, const journal::JournalPage& page = {})
    {
        QVector<JournalEntry> entries;
        const store::StoreError error = journal.find(filter, page, entries);
        EXPECT_TRUE(error.ok()) << error.describe().toStdString();
        QVector<qint64> result;
        for (const JournalEntry& e : entries)
            result << e.number;
        return result;
    }

    journal::Aircraft aircraft(const QString& registration)
    {
        journal::Aircraft plane;
        bool found = false;
        EXPECT_TRUE(journal.aircraftNamed(registration, plane, found).ok());
        EXPECT_TRUE(found) << registration.toStdString();
        return plane;
    }

    Journal journal{db};
};

}  // namespace

TEST_P(JournalTest, entryKeepsEveryValueAndIsStampedWithWhoAndWhen)
{
    JournalEntry e = labelFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"));
    e.line(Slot::Tach) = {QStringLiteral("Tach"), QStringLiteral("1234.5")};
    e.body = QStringLiteral("Line one\r\nLine, \"two\" 100%");
    e.fontName = QStringLiteral("Times New Roman");
    e.fontSize = 9.75;
    e.bold = false;
    e.italic = true;
    e.logoFile = QStringLiteral("/shop/logo.bmp");
    e.companyBlock = true;
    e.companyName = QStringLiteral("Skyline Aero");
    e.companyCityStateZip = QStringLiteral("Wichita, KS");
    e.signatureLine = true;
    e.signatory = QStringLiteral("J. Smith");
    e.certificateKind = QStringLiteral("A&P");
    e.certificateNumber = QStringLiteral("123456");
    e.repairStation = QStringLiteral("NWAR123K");
    e.tractorFeed = true;
    e.copies = 3;
    e.usedCells = {1, 4};
    e.offsets = {1.5, -100, 0, 20, -7};
    const qint64 number = add(e);
    ASSERT_GT(number, 0);

    JournalEntry read;
    bool found = false;
    ASSERT_TRUE(journal.entry(number, read, found).ok());
    ASSERT_TRUE(found);
    EXPECT_EQ(read.number, number);
    EXPECT_EQ(read.workstation, Journal::thisWorkstation());
    EXPECT_EQ(read.user, Journal::thisUser());
    EXPECT_LE(qAbs(read.printedAt.secsTo(QDateTime::currentDateTimeUtc())), 60);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(read.header[i].caption, e.header[i].caption);
        EXPECT_EQ(read.header[i].value, e.header[i].value);
    }
    EXPECT_EQ(read.body, e.body);
    EXPECT_EQ(read.fontName, e.fontName);
    EXPECT_DOUBLE_EQ(read.fontSize, 9.75);
    EXPECT_EQ(std::tie(read.bold, read.italic, read.companyBlock, read.signatureLine, read.tractorFeed),
              std::tie(e.bold, e.italic, e.companyBlock, e.signatureLine, e.tractorFeed));
    EXPECT_EQ(read.logoFile, e.logoFile);
    EXPECT_EQ(read.companyName, e.companyName);
    EXPECT_EQ(read.companyCityStateZip, e.companyCityStateZip);
    EXPECT_EQ(std::tie(read.signatory, read.certificateKind, read.certificateNumber, read.repairStation),
              std::tie(e.signatory, e.certificateKind, e.certificateNumber, e.repairStation));
    // The view shows who signed as the label printed it.
    journal::JournalModel model(journal);
    model.reload();
    EXPECT_EQ(model.index(0, journal::JournalModel::SignedBy).data().toString(), "J. Smith, A&P 123456");
    EXPECT_EQ(model.index(0, journal::JournalModel::RepairStation).data().toString(), "NWAR123K");
    EXPECT_EQ(read.copies, 3);
    EXPECT_EQ(read.usedCells, (QVector<int>{1, 4}));
    EXPECT_DOUBLE_EQ(read.offsets.topRow, 1.5);
    EXPECT_DOUBLE_EQ(read.offsets.middleRow, -100);
    EXPECT_DOUBLE_EQ(read.offsets.rightColumn, -7);
    EXPECT_EQ(read.destination, e.destination);
    EXPECT_EQ(read.repeats, -1);

    EXPECT_TRUE(journal.entry(number + 100, read, found).ok());
    EXPECT_FALSE(found);
}

TEST_P(JournalTest, filtersByRegistrationTemplateBodyTextAndDay)
{
    const qint64 first = add(labelFor(QStringLiteral("N123AB"), {}, {}));
    JournalEntry oil = labelFor(QStringLiteral("N9876"), {}, {});
    oil.templateTitle = QStringLiteral("Oil Change");
    oil.body = QStringLiteral("Changed oil, 100% synthetic_blend");
    const qint64 second = add(oil);
    JournalEntry old = labelFor(QStringLiteral("n123ab"), {}, {});
    old.printedAt = QDateTime(QDate(2025, 3, 14), QTime(12, 0));
    const qint64 third = add(old);

    using F = journal::JournalFilter;
    const struct {
        const char* what;
        std::function<void(F&)> set;
        QVector<qint64> found;
    } cases[] = {
        {"registration, letter case and blanks aside", [](F& f) { f.registration = QStringLiteral(" N123AB "); },
         {first, third}},
        {"template", [](F& f) { f.templateTitle = QStringLiteral("oil change"); }, {second}},
        // Wildcard characters typed in a search are searched for as they are.
        {"body text", [](F& f) { f.bodyText = QStringLiteral("100% SYNTH"); }, {second}},
        {"underscore is no wildcard", [](F& f) { f.bodyText = QStringLiteral("oil_"); }, {}},
        {"percent is no wildcard", [](F& f) { f.bodyText = QStringLiteral("%"); }, {second}},
        // Days are whole local days, both ends included.
        {"one day", [](F& f) { f.since = f.until = QDate(2025, 3, 14); }, {third}},
        {"since", [](F& f) { f.since = QDate(2025, 3, 15); }, {first, second}},
        {"until", [](F& f) { f.until = QDate(2025, 3, 13); }, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbers(where(c.set)), c.found) << c.what;

    const journal::JournalPage page{journal::JournalOrder::Number, true, 2, 1};
    EXPECT_EQ(numbers({}, page), (QVector<qint64>{second, first}));
}

TEST_P(JournalTest, aircraftLearnMakeSerialAndEachTimeGivenWithItsDate)
{
    JournalEntry annual = labelFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"));
    annual.line(Slot::Tach) = {QStringLiteral("Tach"), QStringLiteral("1234.5")};
    annual.line(Slot::TotalTime) = {QStringLiteral("T.T."), QStringLiteral("4321")};
    add(annual);

    // Underscores a print left for handwriting and blank values teach nothing.
    JournalEntry oil = labelFor(QStringLiteral("n123ab"), QStringLiteral("__________________________"),
                                QStringLiteral("   "));
    oil.line(Slot::Tach) = {QStringLiteral("Tach"), QStringLiteral("1250.1")};
    oil.line(Slot::TotalTime) = {QStringLiteral("T.T."), QStringLiteral("________")};
    oil.date = QStringLiteral("04-01-2026");
    const qint64 oilNumber = add(oil);

    journal::Aircraft plane = aircraft(QStringLiteral("N123AB"));
    EXPECT_EQ(plane.registration, "N123AB");
    EXPECT_EQ(plane.make, "Cessna 172");
    EXPECT_EQ(plane.serial, "17265432");
    EXPECT_EQ(plane.tach, "1250.1");
    EXPECT_EQ(plane.totalTime, "4321");
    EXPECT_EQ(plane.timesDate, "04-01-2026");
    EXPECT_EQ(plane.lastEntry, oilNumber);

    // A reprint repeats old values: the aircraft keeps what it knows.
    JournalEntry reprint = annual;
    reprint.repeats = 1;
    reprint.line(Slot::Make).value = QStringLiteral("Old make");
    add(reprint);
    EXPECT_EQ(aircraft(QStringLiteral("N123AB")).make, "Cessna 172");

    add(labelFor(QStringLiteral("________"), QStringLiteral("Piper"), {}));
    QVector<journal::Aircraft> list;
    ASSERT_TRUE(journal.aircraft(list).ok());
    EXPECT_EQ(list.size(), 1);

    // A registration box holds more than a template's title may: the label is journaled and
    // its aircraft learned all the same.
    const QString longRegistration = QStringLiteral("N123AB and N456CD (both wings)");
    EXPECT_GE(add(labelFor(longRegistration, QStringLiteral("Cessna"), {})), 1);
    EXPECT_EQ(aircraft(longRegistration).make, "Cessna");
}

TEST_P(JournalTest, aircraftCanBeCorrectedAndRemovedButNotDuplicated)
{
    add(labelFor(QStringLiteral("N123AB"), QStringLiteral("Cesna"), QStringLiteral("1")));
    add(labelFor(QStringLiteral("N9876"), QStringLiteral("Piper"), QStringLiteral("2")));
    journal::Aircraft plane = aircraft(QStringLiteral("N123AB"));
    plane.make = QStringLiteral("Cessna");
    ASSERT_TRUE(journal.correctAircraft(plane).ok());
    EXPECT_EQ(aircraft(QStringLiteral("n123ab")).make, "Cessna");

    plane.registration = QStringLiteral("n9876");
    EXPECT_EQ(journal.correctAircraft(plane).number, store::DuplicateKey);
    plane.registration = QStringLiteral("  ");
    EXPECT_FALSE(journal.correctAircraft(plane).ok());

    ASSERT_TRUE(journal.removeAircraft(plane.id).ok());
    QVector<journal::Aircraft> list;
    ASSERT_TRUE(journal.aircraft(list).ok());
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.first().registration, "N9876");
}

TAGWRIGHT_ON_BOTH_ENGINES(JournalTest);

TEST(JournalFile, anOlderFileGetsTheJournalOnItsFirstOpenThatMayWrite)
{
    TempFolder folder;
    const QString path = folder.file(store::schema::MainFileName);
    {
        QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
        file.setDatabaseName(path);
        ASSERT_TRUE(file.open());
        QSqlQuery query(file);
        for (const char* statement : {"CREATE TABLE Labels (Description TEXT UNIQUE COLLATE NOCASE, Body TEXT, "
                                      "Font TEXT, Size REAL, Bold INTEGER, Italic INTEGER, Logo TEXT, Header INTEGER, "
                                      "Signed INTEGER, LabelTop TEXT, LabelMiddle TEXT, LabelBottom TEXT, LeftTop TEXT, "
                                      "LeftMiddle TEXT, LeftBottom TEXT)",
                                      "CREATE TABLE Mechanics (Mechanics TEXT)",
                                      "CREATE TABLE CompanyInfo (CompanyName TEXT, CompanyAddress TEXT, CompanyCSZ TEXT, "
                                      "CompanyPhone TEXT, LabelTopUp INTEGER, LabelMiddleUp INTEGER, LabelBottomUp INTEGER, "
                                      "LabelLeft INTEGER, LabelRight INTEGER, DefLabel TEXT, LabelStyle INTEGER)",
                                      "INSERT INTO Labels (Description, Body) VALUES ('Annual', 'a')"})
            ASSERT_TRUE(query.exec(QString::fromLatin1(statement))) << statement;
        query = QSqlQuery();
        file.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));

    {
        store::Database readOnly;
        ASSERT_TRUE(readOnly.openMain(folder.path(), store::Database::Access::ReadOnly).ok());
        JournalEntry entry = labelFor(QStringLiteral("N1"), {}, {});
        const store::StoreError refused = Journal(readOnly).add(entry);
        EXPECT_EQ(refused.number, store::TableMissing);
        EXPECT_TRUE(refused.message.contains(QStringLiteral("Journal"))) << refused.message.toStdString();
    }
    store::Database db;
    ASSERT_TRUE(db.openMain(folder.path()).ok());
    EXPECT_TRUE(db.hasTable(store::schema::JournalTable));
    EXPECT_TRUE(db.hasTable(store::schema::AircraftTable));
    JournalEntry entry = labelFor(QStringLiteral("N1"), QStringLiteral("Mooney"), {});
    ASSERT_TRUE(Journal(db).add(entry).ok());
    EXPECT_EQ(entry.number, 1);
}

TEST(JournalCsv, quotesWhatWouldBreakALineAndPutsTheNumberFirst)
{
    JournalEntry e = labelFor(QStringLiteral("N1"), QStringLiteral("Piper, Cub"), {});
    e.number = 7;
    e.printedAt = QDateTime(QDate(2026, 3, 7), QTime(9, 30), Qt::UTC);
    e.body = QStringLiteral("Said \"ok\"\r\nnext");
    const QStringList lines = journal::csv::entries({e}).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Entry,Printed,")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("7,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"Piper, Cub\",")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",\"Said \"\"ok\"\"")));
    EXPECT_EQ(lines[2], "next\"");
}

// A spreadsheet opening the file runs a field that begins like a formula: such fields get a
// leading apostrophe, plain numbers and other text stay as they are.
TEST(JournalCsv, fieldsASpreadsheetWouldRunAsAFormulaBeginWithAnApostrophe)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("=1+1"), QStringLiteral("'=1+1")},
        {QStringLiteral("=HYPERLINK(\"x\",\"y\")"), QStringLiteral("\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\"")},
        {QStringLiteral("+1 555"), QStringLiteral("'+1 555")},
        {QStringLiteral("-cmd"), QStringLiteral("'-cmd")},
        {QStringLiteral("@SUM(A1)"), QStringLiteral("'@SUM(A1)")},
        {QStringLiteral("\tx"), QStringLiteral("'\tx")},
        {QStringLiteral("\rx"), QStringLiteral("\"'\rx\"")},
        {QStringLiteral("-45"), QStringLiteral("-45")},
        {QStringLiteral("+2.5"), QStringLiteral("+2.5")},
        {QStringLiteral("-.5"), QStringLiteral("-.5")},
        {QStringLiteral("N12345"), QStringLiteral("N12345")},
        {QStringLiteral("a=b"), QStringLiteral("a=b")},
        {QString(), QString()},
    };
    for (const auto& [value, written] : cases)
        EXPECT_EQ(journal::csv::field(value), written) << value.toStdString();
    JournalEntry e = labelFor(QStringLiteral("=1+1"), QStringLiteral("Piper"), {});
    e.signatory = QStringLiteral("=HYPERLINK(\"x\",\"y\")");
    e.signatureLine = true;
    for (const QString& line : journal::csv::entries({e}).split(QStringLiteral("\r\n"))) {
        for (const QString& cell : line.split(u','))
            EXPECT_FALSE(cell.startsWith(u'=') || cell.startsWith(QStringLiteral("\"="))) << line.toStdString();
    }
}
