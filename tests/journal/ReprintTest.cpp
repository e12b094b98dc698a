#include "printing/PrintingFixture.h"
#include "store/StoreFixture.h"

#include "journal/Journal.h"
#include "journal/PrintInput.h"
#include "printing/LogoPicture.h"

#include <QImage>

using namespace tagwright;
using namespace tagwright::test;

namespace {

QString traceOf(const printing::PrintRequest& request)
{
    printing::RecordingSurface surface;
    printing::LabelPrinter printer;
    const printing::PrintResult result = printer.PrintLabels(surface, request);
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
        std::function<void(printing::PrintRequest&)> change;
    };
    const Case cases[] = {
        {"plain laser label", false, [](printing::PrintRequest&) {}},
        {"copies, used cells and fractional offsets", false,
         [](printing::PrintRequest& r) {
             r.sheet.copies = 2.5;
             markCells(r, {1, 4});
             r.sheet.offsets = {1.5, -100, 0, 0, 0.5};
         }},
        {"company block, logo, signature, italic body", false,
         [&](printing::PrintRequest& r) {
             r.label.printsCompany = true;
             r.label.company = {QStringLiteral("Skyline Aero"), {}, {}, QStringLiteral("316-555-0142")};
             r.label.logo = printing::LogoPicture::boxPixelsFromFile(logoFile);
             r.label.printsSignature = true;
             r.label.signatory = QStringLiteral("J. Smith A&P");
             r.label.body = QStringLiteral("Line one\r\nself-contained words, \"quoted\"");
             r.label.bodyFont = {QStringLiteral("Times New Roman"), 9.75f, false, true};
         }},
        {"a signatory's certificate and the station number, on both stocks", false,
         [](printing::PrintRequest& r) {
             r.label.printsCompany = true;
             r.label.company = {QStringLiteral("Skyline Aero"), {}, {}, QStringLiteral("316-555-0142"),
                                QStringLiteral("NWAR123K")};
             r.label.printsSignature = true;
             r.label.signatory = QStringLiteral("J. R. Mitchell");
             r.label.certificateKind = QStringLiteral("A&P/IA");
             r.label.certificateNumber = QStringLiteral("2468135");
         }},
        {"the same on tractor feed", true,
         [](printing::PrintRequest& r) {
             r.label.printsCompany = true;
             r.label.company.repairStation = QStringLiteral("NWAR123K");
             r.label.printsSignature = true;
             r.label.signatory = QStringLiteral("J. R. Mitchell");
             r.label.certificateNumber = QStringLiteral("2468135");
         }},
        {"tractor feed with blank captions and values", true,
         [](printing::PrintRequest& r) {
             r.label.registration.caption.clear();
             r.label.make.value = QStringLiteral("   ");
             r.label.totalTime.value = QStringLiteral("4321.0");
             r.sheet.offsets.leftColumn = 950;
             r.label.printsSignature = true;
             r.label.signatory = QStringLiteral("A. Mechanic");
         }},
    };
    journal::Journal journal(db);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printing::PrintRequest input = plainWindow();
        c.change(input);
        input.stock = c.tractor ? printing::LabelStock::Tractor : printing::LabelStock::Laser;
        journal::JournalEntry entry = journal::entryFor(input, {QStringLiteral("100 Hour"), logoFile});
        ASSERT_TRUE(journal.add(entry).ok());
        const store::Result<std::optional<journal::JournalEntry>> read = journal.entry(entry.number);
        ASSERT_TRUE(read.ok() && read->has_value());
        const journal::JournalEntry& stored = **read;
        EXPECT_EQ(stored.tractorFeed(), c.tractor);
        EXPECT_EQ(traceOf(journal::printRequestFor(stored)), traceOf(input));
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
