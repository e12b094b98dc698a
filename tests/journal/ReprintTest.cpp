#include "printing/PrintingFixture.h"
#include "store/StoreFixture.h"

#include "journal/Journal.h"
#include "journal/PrintInput.h"
#include "printing/LogoPicture.h"

#include <QImage>

using namespace tagwright;
using namespace tagwright::test;

namespace {

QString traceOf(const printing::LabelSnapshot& input, bool tractor)
{
    printing::RecordingSurface surface;
    printing::LabelPrinter printer;
    const printing::PrintResult result = tractor ? printer.PrintTractorLabel(surface, input)
                                                 : printer.PrintLaserLabels(surface, input);
    EXPECT_TRUE(result.printed()) << result.message.toStdString();
    return surface.traceLines();
}

class ReprintTest : public MainStoreTest {};

}  // namespace

// What the journal keeps of a label prints it again to the same trace, drawing call for
// drawing call, after a trip through the database.
TEST_P(ReprintTest, anEntryPrintsAgainAsItPrintedThen)
{
    const QString logoFile = folder.file(QStringLiteral("logo.png"));
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(logoFile));

    struct Case {
        const char* name;
        bool tractor;
        std::function<void(printing::LabelSnapshot&)> change;
    };
    const Case cases[] = {
        {"plain laser label", false, [](printing::LabelSnapshot&) {}},
        {"copies, marks and fractional offsets", false,
         [](printing::LabelSnapshot& w) {
             w.Text15 = QStringLiteral(" 2.5 copies");
             w.Label22 = {QStringLiteral("X"), QString(), QStringLiteral(" "), QStringLiteral("X"), QString(), QString()};
             w.Text22 = QStringLiteral("1.5");
             w.Text24 = QStringLiteral("-100abc");
             w.Text25 = QStringLiteral("+.5");
         }},
        {"company block, logo, signature, italic body", false,
         [&](printing::LabelSnapshot& w) {
             w.Check1 = 1;
             w.Text10 = QStringLiteral("Skyline Aero");
             w.Text13 = QStringLiteral("316-555-0142");
             w.Picture1 = printing::LogoPicture::boxPixelsFromFile(logoFile);
             w.Check2 = 1;
             w.Combo2 = QStringLiteral("J. Smith A&P");
             w.Text2 = QStringLiteral("Line one\r\nself-contained words, \"quoted\"");
             w.Text2Font = {QStringLiteral("Times New Roman"), 9.75f, false, true};
         }},
        {"tractor feed with blank captions and values", true,
         [](printing::LabelSnapshot& w) {
             w.Text19.clear();
             w.Text4 = QStringLiteral("   ");
             w.Text7 = QStringLiteral("4321.0");
             w.Text23 = QStringLiteral("950");
             w.Check2 = 1;
             w.Combo2 = QStringLiteral("A. Mechanic");
         }},
    };
    journal::Journal journal(db);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printing::LabelSnapshot input = plainWindow();
        c.change(input);
        journal::JournalEntry entry =
            journal::entryFor(input, {QStringLiteral("100 Hour"), logoFile, c.tractor});
        ASSERT_TRUE(journal.add(entry).ok());
        journal::JournalEntry stored;
        bool found = false;
        ASSERT_TRUE(journal.entry(entry.number, stored, found).ok());
        ASSERT_TRUE(found);
        EXPECT_EQ(stored.tractorFeed, c.tractor);
        EXPECT_EQ(traceOf(journal::printInputFor(stored), c.tractor), traceOf(input, c.tractor));
    }
}

TAGWRIGHT_ON_BOTH_ENGINES(ReprintTest);

TEST(PrintRecord, onlyLabelsThatLeftTheProgramAreRecorded)
{
    printing::PrintResult result;
    EXPECT_FALSE(journal::leftTheProgram(result));   // copies reading none
    result.status = printing::PrintResult::Status::Refused;
    EXPECT_FALSE(journal::leftTheProgram(result));
    result.status = printing::PrintResult::Status::Failed;
    result.message = QStringLiteral("Out of labels");
    EXPECT_TRUE(journal::leftTheProgram(result));
    EXPECT_EQ(journal::resultText(result), "Failed: Out of labels");
    result = {};
    result.jobsSent = 2;
    EXPECT_TRUE(journal::leftTheProgram(result));
    EXPECT_EQ(journal::resultText(result), "Printed");
}
