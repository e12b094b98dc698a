#include "cli/ShopDatabase.h"
#include "store/StoreFixture.h"

#include "cli/CommandLine.h"
#include "journal/Journal.h"
#include "store/TableCursor.h"

#include <QProcess>
#include <QSqlField>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTextStream>

using namespace tagwright;
using namespace tagwright::test;

namespace {

QString pdfText(const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A shop whose main database is on either engine (MainStoreTest), with its setup file
// naming it, and the command line run against it.
class JournalCli : public MainStoreTest {
protected:
    void SetUp() override
    {
        MainStoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        store::Database setup;
        ASSERT_TRUE(setup.create(setupPath(), store::schema::setupStatements()).ok());
        insert(setup, store::schema::SetupTable, {{"DataPath", dataPath}});
        insert(db, store::schema::CompanyInfoTable, skylineCompany());
        insert(db, store::schema::LabelsTable, hundredHourTemplate());
    }

    static void insert(store::Database& target, const QString& table, const QVariantMap& fields)
    {
        QSqlRecord record;
        for (auto field = fields.cbegin(); field != fields.cend(); ++field) {
            QSqlField column(field.key(), field.value().metaType());
            column.setValue(field.value());
            record.append(column);
        }
        qint64 id = -1;
        ASSERT_TRUE(target.backend().insert(table, record, id).ok());
    }

    QString setupPath() const { return folder.file(store::schema::SetupFileName); }
    QString pdf(const QString& name) const { return folder.file(name); }

    int cli(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        QTextStream outStream(&out), errStream(&err);
        cli::Environment environment;
        environment.setupPath = setupPath();
        environment.dataFolder = folder.path();
        return cli::runCommandLine(arguments, outStream, errStream, environment);
    }

    int printFor(const QString& registration, const QString& make, const QString& serial,
                 const QString& file)
    {
        return cli({QStringLiteral("print"), QStringLiteral("--value"), QStringLiteral("LeftTop=") + registration,
                    QStringLiteral("--value"), QStringLiteral("LeftMiddle=") + make, QStringLiteral("--value"),
                    QStringLiteral("LeftBottom=") + serial, QStringLiteral("--date"),
                    QStringLiteral("03-07-2026"), QStringLiteral("--pdf"), pdf(file)});
    }

    // The CSV's records: lines ending in CR LF outside quoted fields (a body keeps its own).
    QStringList csvLines() const
    {
        QStringList records{QString()};
        bool quoted = false;
        for (qsizetype i = 0; i < out.size(); ++i) {
            if (out[i] == u'"')
                quoted = !quoted;
            if (!quoted && out.mid(i, 2) == QStringLiteral("\r\n")) {
                records << QString();
                ++i;
                continue;
            }
            records.last() += out[i];
        }
        records.removeAll(QString());
        return records;
    }

    QString out;
    QString err;
};

}  // namespace

TEST_P(JournalCli, printsAreJournaledListedByAircraftAndReprintedAsTheyWere)
{
    const bool canReadPdf = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    ASSERT_EQ(printFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"),
                       QStringLiteral("first.pdf")), 0) << err.toStdString();
    ASSERT_EQ(printFor(QStringLiteral("N9876"), QStringLiteral("Piper J-3"), QStringLiteral("4321"),
                       QStringLiteral("second.pdf")), 0) << err.toStdString();
    ASSERT_EQ(printFor(QStringLiteral("N123AB"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"),
                       QStringLiteral("third.pdf")), 0) << err.toStdString();
    // A trace shows the drawing and leaves no label.
    ASSERT_EQ(cli({QStringLiteral("print"), QStringLiteral("--trace")}), 0);

    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--aircraft"), QStringLiteral("n123ab"),
                   QStringLiteral("--csv")}), 0) << err.toStdString();
    QStringList lines = csvLines();
    ASSERT_EQ(lines.size(), 3) << out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Entry,")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1,")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("3,")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",100 Hour,N123AB,Cessna 172,17265432,")));
    EXPECT_TRUE(lines[1].contains(pdf(QStringLiteral("first.pdf"))));

    const QString today = QDate::currentDate().toString(Qt::ISODate);
    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--since"), today, QStringLiteral("--until"), today}), 0);
    EXPECT_EQ(out.count(u'\n'), 4) << out.toStdString();   // the heading and three entries
    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--until"),
                   QDate::currentDate().addDays(-1).toString(QStringLiteral("MM-dd-yyyy"))}), 0);
    EXPECT_EQ(out.count(u'\n'), 1);

    // The template changes; the entry prints as it printed then.
    {
        store::TableCursor labels;
        ASSERT_TRUE(labels.open(db, store::schema::LabelsTable).ok());
        ASSERT_TRUE(labels.edit().ok());
        ASSERT_TRUE(labels.setValue(store::schema::labels::Body, QStringLiteral("A different body.")).ok());
        ASSERT_TRUE(labels.setValue(store::schema::labels::LeftMiddle, QStringLiteral("Type")).ok());
        ASSERT_TRUE(labels.update().ok());
    }
    ASSERT_EQ(cli({QStringLiteral("reprint"), QStringLiteral("1"), QStringLiteral("--pdf"),
                   pdf(QStringLiteral("again.pdf"))}), 0) << err.toStdString();
    if (canReadPdf) {
        const QString first = pdfText(pdf(QStringLiteral("first.pdf")));
        EXPECT_TRUE(first.contains(QStringLiteral("Performed 100 hour inspection.")));
        EXPECT_EQ(pdfText(pdf(QStringLiteral("again.pdf"))), first);
    }
    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--csv")}), 0);
    lines = csvLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("4,")));
    EXPECT_TRUE(lines[4].contains(pdf(QStringLiteral("again.pdf")) + QStringLiteral(",Printed,1,")))
        << lines[4].toStdString();

    ASSERT_EQ(cli({QStringLiteral("aircraft"), QStringLiteral("--csv")}), 0) << err.toStdString();
    lines = csvLines();
    ASSERT_EQ(lines.size(), 3) << out.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("N123AB,Cessna 172,17265432,")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("N9876,Piper J-3,4321,")));
}

// A signed label carries the signatory's certificate and the station's number; the journal
// keeps both as printed, and a reprint prints them so after they changed.
TEST_P(JournalCli, aSignatorysCertificateAndTheStationNumberArePrintedJournaledAndReprinted)
{
    const auto profile = [this](const QString& number) {
        return cli({QStringLiteral("signatory"), QStringLiteral("add"), QStringLiteral("J. R. Mitchell"),
                    QStringLiteral("--kind"), QStringLiteral("A&P/IA"), QStringLiteral("--certificate"), number});
    };
    const auto station = [this](const QString& number) {
        store::TableCursor company;
        ASSERT_TRUE(company.open(db, store::schema::CompanyInfoTable).ok());
        ASSERT_TRUE(company.edit().ok());
        ASSERT_TRUE(company.setValue(store::schema::company::RepairStation, number).ok());
        ASSERT_TRUE(company.update().ok());
    };
    const auto print = [this](const QString& signatory, const QString& file) {
        return cli({QStringLiteral("print"), QStringLiteral("--copies"), QStringLiteral("2"), QStringLiteral("--skip"),
                    QString(), QStringLiteral("--signatory"), signatory, QStringLiteral("--pdf"), pdf(file)});
    };
    ASSERT_EQ(profile(QStringLiteral("2468135")), 0) << err.toStdString();
    EXPECT_EQ(out, "Added J. R. Mitchell (A&P/IA 2468135).\n");
    station(QStringLiteral("NWAR123K"));

    ASSERT_EQ(print(QStringLiteral("j. r. mitchell"), QStringLiteral("signed.pdf")), 0) << err.toStdString();
    EXPECT_EQ(err, QString());
    const bool canReadPdf = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    const QString signedText = canReadPdf ? pdfText(pdf(QStringLiteral("signed.pdf"))) : QString();
    if (canReadPdf) {
        EXPECT_EQ(signedText.count(QStringLiteral("J. R. Mitchell, A&P/IA 2468135")), 2) << signedText.toStdString();
        EXPECT_EQ(signedText.count(QStringLiteral("Repair Station No. NWAR123K")), 2);
    }
    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--csv")}), 0);
    QStringList lines = csvLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(",Signatory,Certificate kind,Certificate number,Repair station,")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",J. R. Mitchell,A&P/IA,2468135,NWAR123K,"))) << lines[1].toStdString();

    // Someone without a profile: printed all the same, and the missing number is named.
    ASSERT_EQ(print(QStringLiteral("Walk In"), QStringLiteral("walk-in.pdf")), 0);
    EXPECT_EQ(err, "tagwright-cli: This label names Walk In without a certificate number.\n");

    ASSERT_EQ(profile(QStringLiteral("9999999")), 0);
    EXPECT_EQ(out, "Changed J. R. Mitchell (A&P/IA 9999999).\n");
    station(QStringLiteral("SW9R555X"));
    ASSERT_EQ(cli({QStringLiteral("reprint"), QStringLiteral("1"), QStringLiteral("--pdf"),
                   pdf(QStringLiteral("reprint.pdf"))}), 0) << err.toStdString();
    if (canReadPdf) {
        EXPECT_EQ(pdfText(pdf(QStringLiteral("reprint.pdf"))), signedText);
    }

    ASSERT_EQ(cli({QStringLiteral("signatory"), QStringLiteral("list"), QStringLiteral("--csv")}), 0);
    EXPECT_EQ(out, "Name,Certificate kind,Certificate number\r\nJ. R. Mitchell,A&P/IA,9999999\r\n");
    EXPECT_EQ(cli({QStringLiteral("signatory"), QStringLiteral("remove"), QStringLiteral("Walk In")}), 2);
    EXPECT_EQ(err, "tagwright-cli: No signatory is named \"Walk In\".\n");
    ASSERT_EQ(cli({QStringLiteral("signatory"), QStringLiteral("remove"), QStringLiteral("J. R. MITCHELL")}), 0);
    ASSERT_EQ(cli({QStringLiteral("signatory"), QStringLiteral("list")}), 0);
    EXPECT_EQ(out, "Name                  Kind          Certificate\n");
}

// A registration is one value however it was typed, and a label that gives a known aircraft
// another make and serial prints as given but teaches nothing.
TEST_P(JournalCli, aRegistrationIsFoundHoweverTypedAndADisagreeingLabelPrintsButTeachesNothing)
{
    // As an earlier version journaled it, blanks and all.
    journal::JournalEntry earlier;
    earlier.line(journal::Slot::Registration) = {QStringLiteral("Reg #"), QStringLiteral("n123ab ")};
    ASSERT_TRUE(journal::Journal(db).add(earlier).ok());
    ASSERT_EQ(printFor(QStringLiteral(" n123ab"), QStringLiteral("Cessna 172"), QStringLiteral("17265432"),
                       QStringLiteral("first.pdf")), 0) << err.toStdString();
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();

    ASSERT_EQ(printFor(QStringLiteral("N123AB"), QStringLiteral("Beech A36"), QStringLiteral("170002"),
                       QStringLiteral("other.pdf")), 0) << err.toStdString();
    EXPECT_EQ(err, "tagwright-cli: n123ab is known as Cessna 172, 17265432; this label says Beech A36, 170002.\n");
    EXPECT_TRUE(QFileInfo::exists(pdf(QStringLiteral("other.pdf"))));

    ASSERT_EQ(cli({QStringLiteral("journal"), QStringLiteral("--aircraft"), QStringLiteral("N123AB"),
                   QStringLiteral("--newest-first"), QStringLiteral("--csv")}), 0) << err.toStdString();
    QStringList lines = csvLines();
    ASSERT_EQ(lines.size(), 4) << out.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("3,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",N123AB,Beech A36,170002,")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral(",n123ab,Cessna 172,17265432,")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1,")));

    ASSERT_EQ(cli({QStringLiteral("aircraft"), QStringLiteral("--csv")}), 0) << err.toStdString();
    lines = csvLines();
    ASSERT_EQ(lines.size(), 2) << out.toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("n123ab,Cessna 172,17265432,"))) << lines[1].toStdString();
    // Its last entry, and the label that disagreed.
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",2,3"))) << lines[1].toStdString();
}

TEST_P(JournalCli, refusedArgumentsAndUnknownEntriesSayWhy)
{
    const struct {
        QStringList arguments;
        int code;
        const char* says;
    } cases[] = {
        {{QStringLiteral("signatory"), QStringLiteral("hire"), QStringLiteral("X")}, 2, "list, add NAME or remove NAME"},
        {{QStringLiteral("signatory"), QStringLiteral("add")}, 2, "one NAME"},
        {{QStringLiteral("signatory"), QStringLiteral("add"), QStringLiteral(" ")}, 2, "needs a name"},
        {{QStringLiteral("signatory"), QStringLiteral("add"), QString(41, u'x')}, 2, "longer than 40"},
        {{QStringLiteral("signatory"), QStringLiteral("add"), QStringLiteral("A"), QStringLiteral("--kind"),
          QStringLiteral("Airframe and Powerplant")}, 2, "longer than 12"},
        {{QStringLiteral("signatory"), QStringLiteral("remove"), QStringLiteral("A"), QStringLiteral("--certificate"),
          QStringLiteral("1")}, 2, "go with signatory add"},
        {{QStringLiteral("reprint"), QStringLiteral("1")}, 2, "--pdf FILE or --printer NAME"},
        {{QStringLiteral("reprint"), QStringLiteral("x"), QStringLiteral("--pdf"), QStringLiteral("a.pdf")}, 2, "\"x\""},
        {{QStringLiteral("reprint"), QStringLiteral("9"), QStringLiteral("--pdf"), QStringLiteral("a.pdf")}, 2, "no entry 9"},
        {{QStringLiteral("journal"), QStringLiteral("--since"), QStringLiteral("March")}, 2, "YYYY-MM-DD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli(c.arguments), c.code) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.says))) << err.toStdString();
        EXPECT_EQ(err.count(u'\n'), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("a.pdf"))));
}

TAGWRIGHT_ON_BOTH_ENGINES(JournalCli);
