#include "cli/ShopDatabase.h"

#include "cli/CommandLine.h"

#include <QCommandLineOption>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace tagwright::test;

namespace {

// `tagwright-cli ARGUMENTS` without a system printer, with `dataFolder` standing in for a
// missing DataPath.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err, const QString& dataFolder)
{
    tagwright::cli::Environment environment;
    environment.dataFolder = dataFolder;
    return tagwright::cli::runCommandLine(arguments, out, err, environment);
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        shop.addCompany(skylineCompany());
        shop.addTemplate(hundredHourTemplate());
        QVariantMap courier = hundredHourTemplate();
        courier["Description"] = "Courier";
        courier["Font"] = "Courier New";
        courier["Body"] = "Mono body";
        courier["LeftTop"] = QVariant();
        shop.addTemplate(courier);
    }

    // Runs `tagwright-cli print --setup <shop> ...`.
    int print(QStringList options, bool withSetup = true)
    {
        out.clear();
        err.clear();
        if (withSetup)
            options = QStringList{QStringLiteral("--setup"), shop.setupPath()} + options;
        QTextStream outStream(&out), errStream(&err);
        return runCli(QStringList{QStringLiteral("print")} + options, outStream, errStream,
                      shop.folder.path());
    }

    QStringList traceLines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
    bool traced(const QString& fragment) const { return out.contains(fragment); }

    ShopDatabase shop;
    QString out;
    QString err;
};

}  // namespace

TEST_F(Cli, traceOfTheDefaultTemplateFoundIgnoringCase)
{
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--date"), QStringLiteral("01-02-2003")}), 0);
    EXPECT_TRUE(err.isEmpty());
    EXPECT_TRUE(traced(QStringLiteral(R"({"op":"text","x":2060,"y":200,"text":"Skyline Aero Services","font":"Arial","size":8,"bold":true,"italic":false,"end":true})")))
        << out.toStdString();
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"01-02-2003")")));
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"Authorized Signature")")));
    EXPECT_EQ(traceLines().last(), R"({"op":"enddoc"})");
}

TEST_F(Cli, optionsFillTheWindowsBoxes)
{
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--template"), QStringLiteral("COURIER"),
                     QStringLiteral("--value"), QStringLiteral("LeftMiddle=Piper"),
                     QStringLiteral("--value=LeftMiddle=Cessna"), QStringLiteral("--value"),
                     QStringLiteral("LabelTop="), QStringLiteral("--signatory"),
                     QStringLiteral("J. Smith"), QStringLiteral("--copies"), QStringLiteral("2"),
                     QStringLiteral("--skip"), QStringLiteral("1, 3")}),
              0);
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"Cessna")")));
    EXPECT_FALSE(traced(QStringLiteral(R"("text":"Piper")")));
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"Mono body","font":"Courier New")")));
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"J. Smith")")));
    EXPECT_FALSE(traced(QStringLiteral("Reg #")));
    // Cells 2 and 4: the right column.
    EXPECT_TRUE(traced(QStringLiteral(R"("x":6000,"y":4950)")) || traced(QStringLiteral(R"("x1":6000)")));
    EXPECT_FALSE(traced(QStringLiteral(R"("x1":50,)")));
}

TEST_F(Cli, fontsListLimitsWhatTheTraceSurfaceTakes)
{
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--template"), QStringLiteral("Courier"),
                     QStringLiteral("--fonts"), QStringLiteral("arial,Times New Roman")}),
              0);
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"Mono body","font":"Arial")")));
}

TEST_F(Cli, defaultSetupIsInTheWorkingFolderAndMissingDatabasesFail)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(shop.folder.path());
    EXPECT_EQ(print({QStringLiteral("--trace")}, false), 0);
    QDir::setCurrent(before);

    EXPECT_EQ(print({QStringLiteral("--setup"), shop.folder.file(QStringLiteral("nope.MDB")),
                     QStringLiteral("--trace")}, false),
              1);
    EXPECT_EQ(err.count(u'\n'), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("nope.MDB")));
    EXPECT_TRUE(out.isEmpty());
}

TEST_F(Cli, badArgumentsAndRefusedJobsExitTwoWithOneLine)
{
    const QList<QStringList> bad = {
        {QStringLiteral("--trace"), QStringLiteral("--template"), QStringLiteral("Annual")},
        {QStringLiteral("--trace"), QStringLiteral("--value"), QStringLiteral("LeftTop=12345678")},
        {QStringLiteral("--trace"), QStringLiteral("--value"), QStringLiteral("Tail=1")},
        {QStringLiteral("--trace"), QStringLiteral("--stock"), QStringLiteral("roll")},
        {QStringLiteral("--trace"), QStringLiteral("--skip"), QStringLiteral("0,7")},
        {QStringLiteral("--trace"), QStringLiteral("--colour")},
        {QStringLiteral("--copies")},
        {},
        {QStringLiteral("--trace"), QStringLiteral("--skip"), QStringLiteral("1,2,3,4,5,6")},
    };
    for (const QStringList& options : bad) {
        EXPECT_EQ(print(options), 2) << options.join(u' ').toStdString();
        EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
        EXPECT_TRUE(out.isEmpty()) << out.toStdString();
    }
    EXPECT_TRUE(err.contains(QStringLiteral("All six label cells are marked \"X\".")));

    QStringList noCommand{QStringLiteral("--trace")};
    QString o, e;
    QTextStream os(&o), es(&e);
    EXPECT_EQ(runCli(noCommand, os, es, QString()), 2);
}

TEST_F(Cli, theDateIsARealDayMonthFirstAndTodayWhenNoneIsGiven)
{
    for (const char* date : {"13-45-2026", "02-30-2026", "2026-03-07", "3-7-2026", "03-07-26", "", " 03-07-2026"}) {
        EXPECT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--date"), QString::fromLatin1(date)}), 2) << date;
        EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--date"), QStringLiteral("02-28-2026")}), 0);
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"02-28-2026")")));
    // As the window's date box starts: today, the month first.
    ASSERT_EQ(print({QStringLiteral("--trace")}), 0);
    const QString today = QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy"));
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"%1")").arg(today))) << today.toStdString();
}

TEST_F(Cli, eachValueIsTakenUpToItsBoxesLengthAndARegistrationWithoutItsBlanks)
{
    const struct {
        const char* field;
        int limit;
    } boxes[] = {{"LeftTop", 7},  {"LeftMiddle", 30}, {"LeftBottom", 13},
                 {"LabelTop", 8}, {"LabelMiddle", 8}, {"LabelBottom", 8}};
    for (const auto& box : boxes) {
        const QString full = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789").left(box.limit);
        const QString option = QString::fromLatin1(box.field) + u'=';
        EXPECT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--value"), option + full}), 0) << box.field;
        EXPECT_TRUE(traced(QStringLiteral(R"("text":"%1")").arg(full))) << box.field;
        EXPECT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--value"), option + full + u'9'}), 2) << box.field;
    }
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--value"), QStringLiteral("LeftTop=\tn12345a  ")}), 0)
        << err.toStdString();
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"n12345a")")));
}

TEST_F(Cli, offsetOutOfRangeIsRefusedAndNoCopiesPrintNothing)
{
    ShopDatabase far;
    QVariantMap company = skylineCompany();
    company["LabelTopUp"] = 40000;
    far.addCompany(company);
    far.addTemplate(hundredHourTemplate());
    QString o, e;
    QTextStream os(&o), es(&e);
    EXPECT_EQ(runCli({QStringLiteral("print"), QStringLiteral("--setup"), far.setupPath(),
                      QStringLiteral("--trace")},
                     os, es, QString()),
              2);
    es.flush();
    EXPECT_TRUE(e.contains(QStringLiteral("top row offset \"40000\""))) << e.toStdString();
    EXPECT_TRUE(o.isEmpty());

    EXPECT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--copies"), QStringLiteral("0")}), 0);
    EXPECT_TRUE(out.isEmpty());
}

TEST_F(Cli, printerNeedsTheProgramsPrinterSupport)
{
    EXPECT_EQ(print({QStringLiteral("--printer"), QStringLiteral("default")}), 1);
    EXPECT_EQ(err.count(u'\n'), 1);
}

// Stored as the setup panel stores them, the numbers move the labels the next print prints.
TEST_F(Cli, fitStockStoresTheFitForPdfFilesAndSaysWhatItStored)
{
    QString o, e;
    QTextStream os(&o), es(&e);
    ASSERT_EQ(runCli({QStringLiteral("fit-stock"), QStringLiteral("--setup"), shop.setupPath()}, os, es,
                     shop.folder.path()),
              0);
    os.flush();
    EXPECT_EQ(o, "Fitted for PDF files printed at actual size: top row 822, middle row 872, bottom row 922, "
                 "left column 255, right column 335 (twips).\n");
    ASSERT_EQ(print({QStringLiteral("--trace")}), 0);
    // The company name, centred on the label: 200 + 822 down, 2060 + 255 across.
    EXPECT_TRUE(traced(QStringLiteral(R"({"op":"text","x":2315,"y":1022,"text":"Skyline Aero Services")")))
        << out.toStdString();

    o.clear();
    EXPECT_EQ(runCli({QStringLiteral("fit-stock"), QStringLiteral("--setup"), shop.setupPath(),
                      QStringLiteral("--printer"), QStringLiteral("default")}, os, es, shop.folder.path()),
              1);
    es.flush();
    EXPECT_EQ(e.count(u'\n'), 1);

    // Tractor feed reads two of the offsets for a stock of its own: it keeps them.
    ShopDatabase tractor;
    QVariantMap company = skylineCompany();
    company["LabelStyle"] = 2;
    tractor.addCompany(company);
    tractor.addTemplate(hundredHourTemplate());
    e.clear();
    EXPECT_EQ(runCli({QStringLiteral("fit-stock"), QStringLiteral("--setup"), tractor.setupPath()}, os, es,
                     tractor.folder.path()),
              2);
    es.flush();
    EXPECT_TRUE(e.contains(QStringLiteral("tractor-feed labels"))) << e.toStdString();
}

// A caption so long that it leaves its value no room even condensed: the label
// goes out as the window's "Print anyway" sends it; a script hears of it.
TEST_F(Cli, aValueTooLongEvenCondensedIsPrintedAndNamedOnStderr)
{
    QVariantMap wide = hundredHourTemplate();
    wide["Description"] = "Wide caption";
    wide["LeftTop"] = "Registration mark of the aircraft";
    shop.addTemplate(wide);
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--template"), QStringLiteral("Wide caption"),
                     QStringLiteral("--value"), QStringLiteral("LeftTop=N12345A")}),
              0) << err.toStdString();
    EXPECT_EQ(err, "tagwright-cli: The Registration mark of the aircraft value is too long to print in its place. "
                   "It was printed at 6 points.\n");
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"N12345A","font":"Arial","size":6,)"))) << out.toStdString();
}

TEST_F(Cli, tractorStockComesFromLabelStyleTwoOrTheOption)
{
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--stock"), QStringLiteral("tractor")}), 0);
    EXPECT_EQ(traceLines().first(), R"({"op":"pagesize","width":7920,"height":4350})");
    EXPECT_TRUE(traced(QStringLiteral(R"("text":"1 of 1")")));

    ShopDatabase tractorShop;
    QVariantMap company = skylineCompany();
    company["LabelStyle"] = 2;
    tractorShop.addCompany(company);
    tractorShop.addTemplate(hundredHourTemplate());
    QString o, e;
    QTextStream os(&o), es(&e);
    const QStringList base{QStringLiteral("print"), QStringLiteral("--setup"), tractorShop.setupPath(),
                           QStringLiteral("--trace")};
    ASSERT_EQ(runCli(base, os, es, QString()), 0);
    os.flush();
    EXPECT_TRUE(o.startsWith(QStringLiteral(R"({"op":"pagesize")")));
    o.clear();
    ASSERT_EQ(runCli(base + QStringList{QStringLiteral("--stock"), QStringLiteral("laser")}, os, es, QString()), 0);
    os.flush();
    EXPECT_FALSE(o.contains(QStringLiteral("pagesize")));
}

TEST(CommandLine, helpAndVersionGoToStdoutAndDescribeEveryOption)
{
    QString out, err;
    QTextStream os(&out), es(&err);
    ASSERT_EQ(runCli({QStringLiteral("--version")}, os, es, QString()), 0);
    os.flush();
    EXPECT_EQ(out, QStringLiteral("tagwright-cli " TAGWRIGHT_VERSION "\n"));

    out.clear();
    ASSERT_EQ(runCli({QStringLiteral("--help")}, os, es, QString()), 0);
    for (const tagwright::cli::Command& command : tagwright::cli::commands()) {
        EXPECT_TRUE(out.contains(QStringLiteral("  %1 ").arg(command.name))) << out.toStdString();
        QString commandHelp;
        QTextStream hs(&commandHelp);
        for (const QStringList& asked : {QStringList{command.name, QStringLiteral("--help")},
                                         QStringList{QStringLiteral("help"), command.name}}) {
            commandHelp.clear();
            ASSERT_EQ(runCli(asked, hs, es, QString()), 0) << asked.join(u' ').toStdString();
            hs.flush();
            EXPECT_TRUE(commandHelp.startsWith(tagwright::cli::usageLine(command)));
            for (const QCommandLineOption& option : command.options) {
                EXPECT_FALSE(option.description().isEmpty()) << option.names().first().toStdString();
                EXPECT_TRUE(commandHelp.contains(QStringLiteral("--") + option.names().last()));
            }
        }
    }
    es.flush();
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
}

// The program answers help and the version before Qt starts, so they work where its window
// system cannot (here a platform without a display); Qt's own options are still taken. A
// print leaves no runtime folder behind although the program ends without Qt's tear-down.
TEST_F(Cli, theProgramAnswersHelpWithoutADisplayAndLeavesNothingBehind)
{
    QTemporaryDir temporaries;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("TMPDIR"), temporaries.path());
    const auto run = [&](const QStringList& arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TAGWRIGHT_CLI_PROGRAM), arguments);
        EXPECT_TRUE(program.waitForFinished(60000));
        return std::pair{program.exitCode(), QString::fromUtf8(program.readAllStandardOutput())};
    };
    for (const QString& line : {QStringLiteral("--help"), QStringLiteral("--version"), QStringLiteral("help print"),
                                QStringLiteral("print --help"), QStringLiteral("-platform offscreen --version")}) {
        const QStringList arguments = line.split(u' ');
        QString expected, ignored;
        QTextStream os(&expected), es(&ignored);
        ASSERT_EQ(runCli(arguments.mid(line.startsWith(QStringLiteral("-platform")) ? 2 : 0), os, es, {}), 0);
        os.flush();
        EXPECT_EQ(run(arguments), std::pair(0, expected)) << line.toStdString();
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString pdf = shop.folder.file(QStringLiteral("label.pdf"));
    EXPECT_TRUE(run({QStringLiteral("print"), QStringLiteral("--setup"), shop.setupPath(), QStringLiteral("--pdf"), pdf}).first == 0
                && QFileInfo(pdf).size() > 0);
    EXPECT_TRUE(QDir(temporaries.path()).isEmpty()) << QDir(temporaries.path()).entryList().join(u' ').toStdString();
}

TEST(CommandLine, manualPageDescribesEveryCommandAndOption)
{
    QFile page(QStringLiteral(TAGWRIGHT_MANUAL_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << TAGWRIGHT_MANUAL_PAGE;
    const QString text = QString::fromUtf8(page.readAll());
    for (const tagwright::cli::Command& command : tagwright::cli::commands()) {
        EXPECT_TRUE(text.contains(QStringLiteral(".B %1\n").arg(command.name))) << command.name.toStdString();
        for (const QCommandLineOption& option : command.options) {
            const QString name = option.names().last();
            EXPECT_TRUE(text.contains(QStringLiteral("\\-\\-") + name)) << name.toStdString();
        }
    }
}

TEST(CommandLine, windowProgramAnswersHelpAndVersionAndRefusesTheRest)
{
    struct Case {
        QStringList arguments;
        bool qtOptionsTaken;
        std::optional<int> exit;
        QString out;  // how stdout starts
    };
    const Case cases[] = {
        {{}, true, std::nullopt, {}},
        {{QStringLiteral("--version")}, false, 0, QStringLiteral("tagwright " TAGWRIGHT_VERSION "\n")},
        {{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help")}, false, 0,
         QStringLiteral("usage: tagwright [--help] [--version]")},
        {{QStringLiteral("-platform"), QStringLiteral("xcb")}, false, std::nullopt, {}},
        {{QStringLiteral("--bogus")}, true, 2, {}},
        {{QStringLiteral("file.mdb")}, true, 2, {}},
    };
    for (const Case& c : cases) {
        QString out, err;
        QTextStream os(&out), es(&err);
        const std::optional<int> exit =
            tagwright::cli::answerWindowArguments(c.arguments, os, es, c.qtOptionsTaken);
        os.flush();
        es.flush();
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(exit, c.exit);
        EXPECT_TRUE(out.startsWith(c.out)) << out.toStdString();
        EXPECT_EQ(err.count(u'\n'), exit == 2 ? 1 : 0) << err.toStdString();
    }
}

#include "support/FullDisk.h"

TEST_F(Cli, aFullDiskFailsThePdfAndLeavesNoFile)
{
    tagwright::test::FullDisk disk;
    if (!disk.ready())
        GTEST_SKIP() << disk.reason().toStdString();
    const QString pdf = disk.file(QStringLiteral("label.pdf"));
    EXPECT_EQ(print({QStringLiteral("--pdf"), pdf, QStringLiteral("--copies"), QStringLiteral("6")}),
              1);
    EXPECT_TRUE(err.contains(pdf) && err.contains(QStringLiteral("No space left on device")))
        << err.toStdString();
    EXPECT_TRUE(disk.entries().isEmpty()) << disk.entries().join(u' ').toStdString();

    // The same command on a disk with room writes a whole file.
    const QString roomy = shop.folder.file(QStringLiteral("label.pdf"));
    ASSERT_EQ(print({QStringLiteral("--pdf"), roomy, QStringLiteral("--copies"), QStringLiteral("6")}),
              0);
    EXPECT_GT(QFile(roomy).size(), 16 * 1024);
}

#include <unistd.h>

// `--pdf NAME` where NAME is a link (to a file, or dangling into another folder): refused
// with one line, the link and what it points at left as they were.
TEST_F(Cli, aPdfNameThatIsALinkIsRefusedNeverWrittenThrough)
{
    const QString precious = shop.folder.file(QStringLiteral("precious.txt"));
    QFile file(precious);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    const QString dangling = shop.folder.file(QStringLiteral("made-through-link.pdf"));
    for (const QString& pointsAt : {precious, dangling}) {
        SCOPED_TRACE(pointsAt.toStdString());
        const QString pdf = shop.folder.file(QStringLiteral("label.pdf"));
        QFile::remove(pdf);
        ASSERT_EQ(::symlink(QFile::encodeName(pointsAt).constData(), QFile::encodeName(pdf).constData()), 0);
        EXPECT_EQ(print({QStringLiteral("--pdf"), pdf}), 2);
        EXPECT_TRUE(err.contains(QStringLiteral("symbolic link"))) << err.toStdString();
        EXPECT_EQ(err.count(u'\n'), 1);
        EXPECT_EQ(QFileInfo(pdf).symLinkTarget(), pointsAt);
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep me");
    EXPECT_FALSE(QFile::exists(dangling));
}

TEST_F(Cli, templateTitleIsFoundInAnyLetterCaseBeyondAscii)
{
    QVariantMap revision = hundredHourTemplate();
    revision["Description"] = QStringLiteral("Révision ½");
    revision["Body"] = QStringLiteral("Révision faite");
    shop.addTemplate(revision);
    ASSERT_EQ(print({QStringLiteral("--trace"), QStringLiteral("--template"), QStringLiteral("RÉVISION ½")}), 0)
        << err.toStdString();
    EXPECT_TRUE(traced(QStringLiteral("Révision faite"))) << out.toStdString();
}
