#include "store/StoreFixture.h"
#include "support/JournalLabels.h"
#include "support/Results.h"

#include "journal/Journal.h"
#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "store/Registration.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace tagwright;
using namespace tagwright::test;
using journal::Journal;
using journal::JournalEntry;
using journal::Slot;
using test::labelFor;

namespace {

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
        const QVector<JournalEntry> entries = test::expectValue(journal.find(filter, page));
        QVector<qint64> result;
        for (const JournalEntry& e : entries)
            result << e.number;
        return result;
    }

    journal::Aircraft aircraft(const QString& registration)
    {
        const store::Result<std::optional<journal::Aircraft>> plane = journal.aircraftNamed(registration);
        EXPECT_TRUE(plane.ok() && plane->has_value()) << registration.toStdString();
        return plane.ok() ? plane->value_or(journal::Aircraft()) : journal::Aircraft();
    }

    Journal journal{db};
};

}  // namespace

TEST_P(JournalTest, entryKeepsEveryValueAndIsStampedWithWhoAndWhen)
{
    JournalEntry e = labelFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"));
    e.line(Slot::Tach) = {QStringLiteral("Tach"), QStringLiteral("1234.5")};
    e.request.label.body = QStringLiteral("Line one\r\nLine, \"two\" 100%");
    e.request.label.bodyFont.FontName = QStringLiteral("Times New Roman");
    e.request.label.bodyFont.FontSize = 9.75;
    e.request.label.bodyFont.FontBold = false;
    e.request.label.bodyFont.FontItalic = true;
    e.facts.logoFile = QStringLiteral("/shop/logo.bmp");
    e.request.label.printsCompany = true;
    e.request.label.company.name = QStringLiteral("Skyline Aero");
    e.request.label.company.cityStateZip = QStringLiteral("Wichita, KS");
    e.request.label.printsSignature = true;
    e.request.label.signatory = QStringLiteral("J. Smith");
    e.request.label.certificateKind = QStringLiteral("A&P");
    e.request.label.certificateNumber = QStringLiteral("123456");
    e.request.label.company.repairStation = QStringLiteral("NWAR123K");
    e.request.stock = printing::LabelStock::Tractor;
    e.request.sheet.copies = 3;
    e.request.sheet.used = {1, 4};
    e.request.sheet.offsets = {1.5, -100, 0, 20, -7};
    const qint64 number = add(e);
    ASSERT_GT(number, 0);

    const store::Result<std::optional<JournalEntry>> stored = journal.entry(number);
    ASSERT_TRUE(stored.ok() && stored->has_value());
    const JournalEntry& read = **stored;
    EXPECT_EQ(read.number, number);
    EXPECT_EQ(read.workstation, Journal::thisWorkstation());
    EXPECT_EQ(read.user, Journal::thisUser());
    EXPECT_LE(qAbs(read.printedAt.secsTo(QDateTime::currentDateTimeUtc())), 60);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(read.line(journal::Slot(i)).caption, e.line(journal::Slot(i)).caption);
        EXPECT_EQ(read.line(journal::Slot(i)).value, e.line(journal::Slot(i)).value);
    }
    EXPECT_EQ(read.request.label.body, e.request.label.body);
    EXPECT_EQ(read.request.label.bodyFont.FontName, e.request.label.bodyFont.FontName);
    EXPECT_DOUBLE_EQ(read.request.label.bodyFont.FontSize, 9.75);
    const auto flags = [](const JournalEntry& x) {
        const printing::LabelContent& l = x.request.label;
        return std::tuple(l.bodyFont.FontBold, l.bodyFont.FontItalic, l.printsCompany, l.printsSignature,
                          x.tractorFeed());
    };
    EXPECT_EQ(flags(read), flags(e));
    EXPECT_EQ(read.facts.logoFile, e.facts.logoFile);
    EXPECT_EQ(read.request.label.company.name, e.request.label.company.name);
    EXPECT_EQ(read.request.label.company.cityStateZip, e.request.label.company.cityStateZip);
    const auto signOff = [](const JournalEntry& x) {
        const printing::LabelContent& l = x.request.label;
        return std::tuple(l.signatory, l.certificateKind, l.certificateNumber, l.company.repairStation);
    };
    EXPECT_EQ(signOff(read), signOff(e));
    // The view shows who signed as the label printed it.
    journal::JournalModel model(journal);
    model.reload();
    EXPECT_EQ(model.index(0, journal::JournalModel::SignedBy).data().toString(), "J. Smith, A&P 123456");
    EXPECT_EQ(model.index(0, journal::JournalModel::RepairStation).data().toString(), "NWAR123K");
    EXPECT_EQ(read.request.sheet.copies, 3);
    EXPECT_EQ(read.request.sheet.used, (printing::UsedCells{1, 4}));
    EXPECT_DOUBLE_EQ(read.request.sheet.offsets.topRow, 1.5);
    EXPECT_DOUBLE_EQ(read.request.sheet.offsets.middleRow, -100);
    EXPECT_DOUBLE_EQ(read.request.sheet.offsets.rightColumn, -7);
    EXPECT_EQ(read.destination, e.destination);
    EXPECT_EQ(read.facts.repeats, -1);

    const store::Result<std::optional<JournalEntry>> none = journal.entry(number + 100);
    ASSERT_TRUE(none.ok());
    EXPECT_FALSE(none->has_value());
}

TEST_P(JournalTest, filtersByRegistrationTemplateBodyTextAndDay)
{
    const qint64 first = add(labelFor(QStringLiteral("N123AB"), {}, {}));
    JournalEntry oil = labelFor(QStringLiteral("N9876"), {}, {});
    oil.facts.templateTitle = QStringLiteral("Oil Change");
    oil.request.label.body = QStringLiteral("Changed oil, 100% synthetic_blend");
    const qint64 second = add(oil);
    JournalEntry old = labelFor(QStringLiteral("n123ab"), {}, {});
    old.printedAt = QDateTime(QDate(2025, 3, 14), QTime(12, 0));
    const qint64 third = add(old);
    // Kept as typed by earlier versions, blanks and all.
    const qint64 fourth = add(labelFor(QStringLiteral("\tN123AB "), {}, {}));
    add(labelFor(QStringLiteral("N1234"), {}, {}));

    using F = journal::JournalFilter;
    const struct {
        const char* what;
        std::function<void(F&)> set;
        QVector<qint64> found;
    } cases[] = {
        {"registration, letter case and blanks aside", [](F& f) { f.registration = QStringLiteral(" N123AB "); },
         {first, third, fourth}},
        {"a whole registration only", [](F& f) { f.registration = QStringLiteral("N12"); }, {}},
        {"how a registration starts", [](F& f) { f.registration = QStringLiteral("n98"); f.prefixes = true; },
         {second}},
        {"how a template's title starts", [](F& f) { f.templateTitle = QStringLiteral("OIL"); f.prefixes = true; },
         {second}},
        {"template", [](F& f) { f.templateTitle = QStringLiteral("oil change"); }, {second}},
        {"a title's start is no title", [](F& f) { f.templateTitle = QStringLiteral("oil"); }, {}},
        // Words of the body in any order; wildcard characters are searched for as they are.
        {"body words", [](F& f) { f.bodyText = QStringLiteral(" synthetic  CHANGED "); }, {second}},
        {"every word must be there", [](F& f) { f.bodyText = QStringLiteral("oil inspection"); }, {}},
        {"body text", [](F& f) { f.bodyText = QStringLiteral("100% SYNTH"); }, {second}},
        {"underscore is no wildcard", [](F& f) { f.bodyText = QStringLiteral("oil_"); }, {}},
        {"percent is no wildcard", [](F& f) { f.bodyText = QStringLiteral("%"); }, {second}},
        // Days are whole local days, both ends included.
        {"one day", [](F& f) { f.since = f.until = QDate(2025, 3, 14); }, {third}},
        {"until", [](F& f) { f.until = QDate(2025, 3, 13); }, {}},
        {"numbers", [=](F& f) { f.numberAbove = first; f.numberAtMost = third; f.registration = QStringLiteral("n123ab"); },
         {third}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numbers(where(c.set)), c.found) << c.what;
        qint64 counted = -1;
        EXPECT_TRUE(journal.count(where(c.set), counted).ok());
        EXPECT_EQ(counted, c.found.size()) << c.what;
    }

    const journal::JournalPage page{journal::JournalOrder::Number, true, 2, 3};
    EXPECT_EQ(numbers({}, page), (QVector<qint64>{second, first}));
}

// The same rule in the program and in the engine: whatever the engine finds, the program
// finds too, and the other way round, registrations beyond A to Z included.
TEST_P(JournalTest, theEngineComparesRegistrationsByTheProgramsRule)
{
    const QStringList stored{QStringLiteral("N123AB"), QStringLiteral(" n123ab\r\n"), QStringLiteral("N123ABC"),
                             QStringLiteral("N123 AB"), QStringLiteral("Ñ123AB"), QStringLiteral("ñ123ab"),
                             QStringLiteral("N12%"), QStringLiteral("n12_"), QStringLiteral("\u00a0N123AB")};
    for (const QString& registration : stored)
        add(labelFor(registration, {}, {}));
    for (const QString& asked : {QStringLiteral("n123ab"), QStringLiteral("N12"), QStringLiteral("ñ1"),
                                 QStringLiteral("Ñ1"), QStringLiteral("n12%"), QStringLiteral("N123 a")}) {
        for (const bool prefixes : {false, true}) {
            QVector<qint64> expected;
            for (int i = 0; i < stored.size(); ++i) {
                if (prefixes ? store::registration::startsWith(stored[i], asked) : store::registration::same(stored[i], asked))
                    expected << i + 1;
            }
            journal::JournalFilter filter;
            filter.registration = asked;
            filter.prefixes = prefixes;
            EXPECT_EQ(numbers(filter), expected) << asked.toStdString() << (prefixes ? " (prefix)" : "");
        }
    }
    EXPECT_TRUE(store::registration::same(QStringLiteral("n123ab\t"), QStringLiteral(" N123AB")));
    EXPECT_FALSE(store::registration::same(QStringLiteral("ñ123ab"), QStringLiteral("Ñ123AB")));
}

TEST_P(JournalTest, aLabelThatDisagreesWithTheKnownAircraftTeachesNothingUntilACorrection)
{
    const struct {
        const char* make;
        const char* serial;
        bool disagrees;
    } labels[] = {
        {"CESSNA  172N ", "170005", false},   // letter case and blanks do not count
        {"", "", false},
        {"__________", "170005", false},     // left for handwriting
        {"Cessna 172N", "", false},
        {"Beech A36", "170005", true},
        {"Cessna 172N", "170002", true},
    };
    // Each label for an aircraft of its own, known as a Cessna 172N, 170005.
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        const QString registration = QStringLiteral("N%1KN").arg(i);
        add(labelFor(registration, QStringLiteral("Cessna 172N"), QStringLiteral("170005")));
        JournalEntry label = labelFor(u' ' + registration.toLower(), QString::fromUtf8(labels[i].make),
                                      QString::fromUtf8(labels[i].serial));
        ASSERT_TRUE(journal.add(label).ok());
        EXPECT_EQ(label.disagreement.has_value(), labels[i].disagrees) << labels[i].make << " / " << labels[i].serial;
        EXPECT_EQ(aircraft(registration).disagreeingEntry, labels[i].disagrees ? label.number : -1);
    }

    JournalEntry known = labelFor(QStringLiteral("N005TW"), QStringLiteral("Cessna 172N"), QStringLiteral("170005"));
    known.line(Slot::Tach) = {QStringLiteral("Tach"), QStringLiteral("1200.5")};
    const qint64 knownEntry = add(known);
    JournalEntry other = labelFor(QStringLiteral("N005TW "), QStringLiteral("Beech A36"), QStringLiteral("170002"));
    other.line(Slot::Tach) = {QStringLiteral("Tach"), QStringLiteral("3.0")};
    ASSERT_TRUE(journal.add(other).ok());
    ASSERT_TRUE(other.disagreement);
    EXPECT_EQ(other.disagreement->sentence(), "N005TW is known as Cessna 172N, 170005; this label says Beech A36, 170002");
    journal::Aircraft plane = aircraft(QStringLiteral("N005TW"));
    EXPECT_EQ(plane.make, "Cessna 172N");
    EXPECT_EQ(plane.serial, "170005");
    EXPECT_EQ(plane.tach, "1200.5");
    EXPECT_EQ(plane.lastEntry, knownEntry);
    EXPECT_EQ(plane.disagreeingEntry, other.number);

    // A value it did not know yet is no disagreement: it is learned.
    add(labelFor(QStringLiteral("N7"), {}, QStringLiteral("77")));
    JournalEntry learned = labelFor(QStringLiteral("N7"), QStringLiteral("Mooney"), QStringLiteral("77"));
    ASSERT_TRUE(journal.add(learned).ok());
    EXPECT_FALSE(learned.disagreement);
    EXPECT_EQ(aircraft(QStringLiteral("N7")).make, "Mooney");
    EXPECT_EQ(aircraft(QStringLiteral("N7")).disagreeingEntry, -1);

    plane.make = QStringLiteral("Beech A36");
    plane.serial = QStringLiteral("170002");
    ASSERT_TRUE(journal.correctAircraft(plane).ok());
    plane = aircraft(QStringLiteral("N005TW"));
    EXPECT_EQ(plane.make, "Beech A36");
    EXPECT_EQ(plane.disagreeingEntry, -1);
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
    oil.request.label.date = QStringLiteral("04-01-2026");
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
    reprint.facts.repeats = 1;
    reprint.line(Slot::Make).value = QStringLiteral("Old make");
    add(reprint);
    EXPECT_EQ(aircraft(QStringLiteral("N123AB")).make, "Cessna 172");

    add(labelFor(QStringLiteral("________"), QStringLiteral("Piper"), {}));
    const QVector<journal::Aircraft> list = test::expectValue(journal.aircraft());
    EXPECT_EQ(list.size(), 1);

    // A registration box holds more than a template's title may: the label is journaled and
    // its aircraft learned all the same.
    const QString longRegistration = QStringLiteral("N123AB and N456CD (both wings)");
    EXPECT_GE(add(labelFor(longRegistration, QStringLiteral("Cessna"), {})), 1);
    EXPECT_EQ(aircraft(longRegistration).make, "Cessna");
}

// A journal made by the version before: no index on the registration's key, no column for
// a label's disagreement. The first open that may write adds both; its entries are found.
TEST_P(JournalTest, anEarlierJournalIsCompletedWhenOpenedAndItsEntriesFound)
{
    add(labelFor(QStringLiteral("n123ab "), QStringLiteral("Cessna"), QStringLiteral("1")));
    db.close();
    const QString connection = QStringLiteral("earlier");
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(
            GetParam() == test::Engine::Sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), connection);
        if (GetParam() == test::Engine::Sqlite)
            raw.setDatabaseName(folder.file(store::schema::MainFileName));
        else
            raw.setConnectOptions(dataPath);
        ASSERT_TRUE(raw.open());
        QSqlQuery query(raw);
        for (const char* statement : {"DROP INDEX \"Journal_Registration_key\"",
                                      "ALTER TABLE \"Aircraft\" DROP COLUMN \"DisagreeingEntry\""})
            EXPECT_TRUE(query.exec(QString::fromLatin1(statement))) << query.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(connection);

    ASSERT_TRUE(db.openMain(dataPath).ok());
    journal::JournalFilter filter;
    filter.registration = QStringLiteral("N123AB");
    EXPECT_EQ(numbers(filter).size(), 1);
    const qint64 disagreeing = add(labelFor(QStringLiteral("N123AB"), QStringLiteral("Piper"), {}));
    EXPECT_EQ(aircraft(QStringLiteral("N123AB")).disagreeingEntry, disagreeing);
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
    const QVector<journal::Aircraft> list = test::expectValue(journal.aircraft());
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
    e.request.label.body = QStringLiteral("Said \"ok\"\r\nnext");
    const QStringList lines = journal::csv::entries({e}).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Entry,Printed,")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("7,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",\"Piper, Cub\",")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",\"Said \"\"ok\"\"")));
    EXPECT_EQ(lines[2], "next\"");
}

// Every heading has its value under it, the sign-off's included, as stored: a label printed
// without its signature line or company block keeps what the entry holds.
TEST(JournalCsv, everyHeadingStandsOverItsValue)
{
    JournalEntry e = labelFor(QStringLiteral("N1"), QStringLiteral("Piper"), QStringLiteral("4321"));
    printing::LabelContent& label = e.request.label;
    label.signatory = QStringLiteral("J. Smith");
    label.certificateKind = QStringLiteral("A&P/IA");
    label.certificateNumber = QStringLiteral("2468135");
    label.company.repairStation = QStringLiteral("NWAR123K");
    label.printsSignature = false;
    label.printsCompany = false;
    label.body = QStringLiteral("Oil changed");
    e.request.sheet.used = {};   // a list of cells is quoted, with commas in it
    const QStringList lines = journal::csv::entries({e}).split(QStringLiteral("\r\n"));
    // The one heading with commas in it is quoted; no value here has any.
    const QStringList heading =
        QString(lines[0]).replace(QStringLiteral("\"Company city, state, zip\""), QStringLiteral("CSZ")).split(u',');
    const QStringList values = lines[1].split(u',');
    ASSERT_EQ(values.size(), heading.size()) << lines[0].toStdString() << "\n" << lines[1].toStdString();
    const std::pair<QString, QString> expected[] = {
        {QStringLiteral("Registration"), QStringLiteral("N1")},
        {QStringLiteral("Signatory"), QStringLiteral("J. Smith")},
        {QStringLiteral("Certificate kind"), QStringLiteral("A&P/IA")},
        {QStringLiteral("Certificate number"), QStringLiteral("2468135")},
        {QStringLiteral("Repair station"), QStringLiteral("NWAR123K")},
        {QStringLiteral("Signature line"), QStringLiteral("no")},
        {QStringLiteral("Company block"), QStringLiteral("no")},
        {QStringLiteral("Body"), QStringLiteral("Oil changed")},
    };
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(heading.contains(name)) << name.toStdString();
        EXPECT_EQ(values[heading.indexOf(name)], value) << name.toStdString();
    }
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
    e.request.label.signatory = QStringLiteral("=HYPERLINK(\"x\",\"y\")");
    e.request.label.printsSignature = true;
    for (const QString& line : journal::csv::entries({e}).split(QStringLiteral("\r\n"))) {
        for (const QString& cell : line.split(u','))
            EXPECT_FALSE(cell.startsWith(u'=') || cell.startsWith(QStringLiteral("\"="))) << line.toStdString();
    }
}
