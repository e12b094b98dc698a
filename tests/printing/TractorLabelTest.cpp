#include "PrintingFixture.h"

#include "printing/PrinterError.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

PrintResult printTractor(RecordingSurface& surface, const PrintRequest& window)
{
    return LabelPrinter().PrintLabels(surface, window, true);
}

QStringList pageNumbers(const RecordingSurface& surface)
{
    QStringList numbers;
    for (const RecordedOp& op : surface.textOps()) {
        if (op.text.contains(QStringLiteral(" of ")) && !op.endsLine && op.y == 3900)
            numbers.append(op.text);
    }
    return numbers;
}

// Body lines: texts ending their line below the lower rule, header values excluded.
QStringList bodyLines(const RecordingSurface& surface, float below)
{
    QStringList lines;
    for (const RecordedOp& op : surface.textOps()) {
        if (op.endsLine && op.y > below && op.y < 3900)
            lines.append(op.text);
    }
    return lines;
}

QVector<float> ruleHeights(const RecordingSurface& surface)
{
    QVector<float> heights;
    for (const RecordedOp& op : opsOfKind(surface, RecordedOp::Kind::Line))
        heights.append(op.y);
    return heights;
}

}  // namespace

TEST(TractorLabel, emptyBodyIsOnePageNumberedOneOfOne)
{
    PrintRequest window = plainWindow();
    window.label.body.clear();
    RecordingSurface surface;
    const PrintResult result = printTractor(surface, window);
    EXPECT_TRUE(result.printed());
    EXPECT_TRUE(result.filled.isEmpty());

    const auto& ops = surface.ops();
    ASSERT_FALSE(ops.isEmpty());
    EXPECT_EQ(ops.first().toJson(), R"({"op":"pagesize","width":7920,"height":4350})");
    EXPECT_EQ(ops.last().kind, RecordedOp::Kind::EndDoc);
    EXPECT_EQ(pageNumbers(surface), QStringList{"1 of 1"});
    const auto number = firstText(surface, QStringLiteral("1 of 1"));
    EXPECT_EQ(number->x, 50);
    EXPECT_EQ(number->font.size, 10);
    // The lower rule at 600 (raised label with a second row for the date); the body at 630.
    EXPECT_EQ(ruleHeights(surface), (QVector<float>{200, 600}));
    EXPECT_EQ(firstText(surface, QString())->y, 630);
    EXPECT_EQ(surface.jobsSent(), 1);
}

TEST(TractorLabel, bodyWrapsAtThePageWidthAndHardBreaks)
{
    PrintRequest window = plainWindow();
    window.label.body = QStringLiteral("abc\r\ndef\r\n");
    RecordingSurface surface;
    printTractor(surface, window);
    EXPECT_EQ(bodyLines(surface, 600), (QStringList{"abc", "def", ""}));

    // 100 twips a character: 79 fit in 7920, whatever the left offset.
    window.sheet.offsets.leftColumn = 500;
    window.label.body = QString(100, u'w');
    RecordingSurface wide;
    printTractor(wide, window);
    EXPECT_EQ(bodyLines(wide, 600), (QStringList{QString(79, u'w'), QString(21, u'w')}));
    EXPECT_EQ(firstText(wide, QString(79, u'w'))->x, 550);

    // At 62 points twelve characters fit: "self-contained" breaks in front of its hyphen.
    window.label.body = QStringLiteral("self-contained unit");
    window.label.bodyFont.FontSize = 60;
    RecordingSurface hyphen;
    printTractor(hyphen, window);
    EXPECT_EQ(bodyLines(hyphen, 600), (QStringList{"self", "-contained", "unit"}));
}

TEST(TractorLabel, overflowingBodyRunsOnNumberedPages)
{
    PrintRequest window = plainWindow();
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines.append(QStringLiteral("L%1").arg(i));
    window.label.body = lines.join(QStringLiteral("\r\n"));
    window.label.printsSignature = true;
    window.label.signatory = QStringLiteral("J. Smith");
    RecordingSurface surface;
    printTractor(surface, window);

    // 20 lines of 240: (4800 - 2480) / 3600 counts one page, though two are printed.
    EXPECT_EQ(pageNumbers(surface), (QStringList{"1 of 1", "2 of 1"}));
    EXPECT_EQ(firstText(surface, QStringLiteral("L13"))->y, 630 + 13 * 240);
    EXPECT_EQ(firstText(surface, QStringLiteral("L14"))->y, 630);
    EXPECT_EQ(opsOfKind(surface, RecordedOp::Kind::NewPage).size(), 1);
    // The signature stands on the last page, after its page break.
    const auto& ops = surface.ops();
    const auto newPage = std::find_if(ops.begin(), ops.end(), [](const RecordedOp& op) {
        return op.kind == RecordedOp::Kind::NewPage;
    });
    const auto name = std::find_if(ops.begin(), ops.end(), [](const RecordedOp& op) {
        return op.text == QStringLiteral("J. Smith");
    });
    EXPECT_LT(newPage, name);
}

TEST(TractorLabel, singleParagraphOverThreePagesCountsAsOne)
{
    PrintRequest window = plainWindow();
    QString paragraph;
    while (paragraph.size() < 79 * 32)
        paragraph += QStringLiteral("inspected ");
    window.label.body = paragraph;
    RecordingSurface surface;
    printTractor(surface, window);
    EXPECT_EQ(pageNumbers(surface), (QStringList{"1 of 1", "2 of 1", "3 of 1"}));

    window.label.body = QStringList(40, QStringLiteral("x")).join(QStringLiteral("\r\n"));
    RecordingSurface counted;
    printTractor(counted, window);
    // (40 x 240 - 2480) / 3600 = 1.98: two pages counted, three printed.
    EXPECT_EQ(pageNumbers(counted), (QStringList{"1 of 2", "2 of 2", "3 of 2"}));
}

TEST(TractorLabel, companyBlockCentresRightOfTheLeftOffset)
{
    for (auto [offset, x] : {std::pair{"0", 50}, {"950", 1000}}) {
        PrintRequest window = plainWindow();
        window.label.printsCompany = true;
        window.label.company.name = QStringLiteral("Shop");
        window.sheet.offsets.leftColumn = boxtext::offsetTwips(QString::fromLatin1(offset));
        RecordingSurface surface;
        printTractor(surface, window);
        const auto name = firstText(surface, QStringLiteral("Shop"));
        ASSERT_TRUE(name);
        const float centre = name->x + 4 * 80 / 2.0f;
        const auto rule = opsOfKind(surface, RecordedOp::Kind::Line).first();
        EXPECT_EQ(rule.x, x);
        EXPECT_EQ(rule.x2, 7920 - x);
        EXPECT_EQ((rule.x + rule.x2) / 2 - centre, x / 2.0f) << offset;
        EXPECT_TRUE(name->font.bold);
        EXPECT_EQ(name->y, 200);
        EXPECT_EQ(rule.y, 950);
    }
}

TEST(TractorHeader, valuesDecideWhatPrintsAndWhereTheDateGoes)
{
    PrintRequest window = plainWindow();
    window.label.make.value = QStringLiteral("Cessna");
    window.label.sinceOverhaul.value = QStringLiteral("350");
    RecordingSurface surface;
    printTractor(surface, window);
    EXPECT_EQ(firstText(surface, QStringLiteral("Reg #: "))->y, 210);
    EXPECT_EQ(firstText(surface, QStringLiteral("Make: "))->x, 2450);
    EXPECT_FALSE(firstText(surface, QStringLiteral("Serial: ")));
    EXPECT_EQ(firstText(surface, QStringLiteral("Date: "))->y, 400);
    EXPECT_EQ(firstText(surface, QStringLiteral("SMOH: "))->x, 6550);
    EXPECT_FALSE(firstText(surface, QStringLiteral("Tach: ")));

    // No registration: the date takes the first slot and appears nowhere else.
    window.label.registration.value = QStringLiteral("   ");
    window.label.sinceOverhaul.value.clear();
    RecordingSurface dated;
    printTractor(dated, window);
    EXPECT_EQ(firstText(dated, QStringLiteral("Date: "))->y, 210);
    EXPECT_EQ(ruleHeights(dated), (QVector<float>{200, 400}));
}

TEST(TractorHeader, spacesOnlyValueIsNotPrintedButCountsAsPresent)
{
    PrintRequest window = plainWindow();
    window.label.registration.value.clear();
    window.label.date.clear();
    window.label.tach.value = QStringLiteral("  ");
    RecordingSurface surface;
    printTractor(surface, window);
    EXPECT_FALSE(firstText(surface, QStringLiteral("Tach: ")));
    // First row empty: raised by 190; the spaces still call for the second row's rule.
    EXPECT_EQ(ruleHeights(surface), (QVector<float>{200, 410}));

    window.label.tach.value.clear();
    RecordingSurface empty;
    printTractor(empty, window);
    EXPECT_EQ(ruleHeights(empty), (QVector<float>{200, 210}));
    EXPECT_EQ(firstText(empty, QStringLiteral("Body"))->y, 240);
}

TEST(TractorSignature, needsBothTheSignedBoxAndAName)
{
    PrintRequest window = plainWindow();
    window.label.printsSignature = true;
    RecordingSurface unnamed;
    printTractor(unnamed, window);
    EXPECT_EQ(opsOfKind(unnamed, RecordedOp::Kind::Line).size(), 2);

    window.label.printsSignature = false;
    window.label.signatory = QStringLiteral("J. Smith");
    RecordingSurface unsigned_;
    printTractor(unsigned_, window);
    EXPECT_FALSE(firstText(unsigned_, QStringLiteral("J. Smith")));

    window.label.printsSignature = true;
    window.label.bodyFont.FontItalic = true;
    RecordingSurface signedLabel;
    printTractor(signedLabel, window);
    const auto name = firstText(signedLabel, QStringLiteral("J. Smith"));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->x, 3050);
    EXPECT_EQ(name->y, 3900);
    EXPECT_TRUE(name->font.italic);
    EXPECT_EQ(name->font.size, 8);
    const auto rule = opsOfKind(signedLabel, RecordedOp::Kind::Line).last();
    EXPECT_EQ(rule.x, 3050);
    EXPECT_EQ(rule.x2, 7870);
    EXPECT_EQ(rule.y, 3900);
}

TEST(TractorLabel, unavailableBodyFontPrintsInArialWithItsStyleAndSize)
{
    PrintRequest window = plainWindow();
    window.label.bodyFont = {QStringLiteral("Wingdings"), 9, true, true};
    RecordingSurface surface;
    printTractor(surface, window);
    const auto body = firstText(surface, QStringLiteral("Body"));
    EXPECT_EQ(body->font.name, "Arial");
    EXPECT_EQ(body->font.size, 11);
    EXPECT_TRUE(body->font.bold && body->font.italic);
}

TEST(TractorMended, bodyStartingBelowTheBreakStaysOnItsPage)
{
    PrintRequest window = plainWindow();
    window.sheet.offsets.topRow = 3500;
    window.label.body = QStringLiteral("a\r\nb\r\nc");
    RecordingSurface surface;
    EXPECT_TRUE(printTractor(surface, window).printed());
    EXPECT_TRUE(opsOfKind(surface, RecordedOp::Kind::NewPage).isEmpty());
    EXPECT_EQ(firstText(surface, QStringLiteral("c"))->y, 3700 + 1150 - 750 + 30 + 2 * 240);
}

TEST(TractorMended, offsetOutsideSixteenBitsIsRefusedNamingItsBox)
{
    PrintRequest window = plainWindow();
    window.sheet.offsets.leftColumn = -40000;
    RecordingSurface surface;
    const PrintResult result = printTractor(surface, window);
    EXPECT_EQ(result.status, PrintResult::Status::Refused);
    EXPECT_TRUE(result.message.contains(QStringLiteral("left column offset \"-40000\"")));
    EXPECT_TRUE(surface.ops().isEmpty());

    window.sheet.offsets.leftColumn = 0;
    window.sheet.offsets.topRow = 33000;
    EXPECT_TRUE(printTractor(surface, window).message.contains(QStringLiteral("top row offset")));
}

namespace {

class OfflinePrinter : public RecordingSurface {
protected:
    void drawLine(float, float, float, float, Colour) override
    {
        ++attempts;
        throw PrinterError(PrinterFailure, QStringLiteral("Paper out"));
    }

public:
    int attempts = 0;
};

}  // namespace

TEST(TractorMended, printerThatKeepsFailingAbandonsTheJob)
{
    OfflinePrinter surface;
    const PrintResult result = printTractor(surface, plainWindow());
    EXPECT_EQ(result.status, PrintResult::Status::Failed);
    EXPECT_EQ(result.message, "Printer error 482: Paper out");
    EXPECT_EQ(surface.attempts, 4);
    EXPECT_EQ(result.jobsSent, 0);
    EXPECT_FALSE(surface.jobOpen());
}

TEST(TractorMended, noSecondJobWhileTheLogoPauses)
{
    LabelPrinter printer;
    PrintRequest window = plainWindow();
    window.label.logo = QImage(37, 37, QImage::Format_RGB32);
    window.label.logo.fill(Qt::black);
    RecordingSurface surface, intruder;
    int refused = 0;
    printer.setRowPause([&] {
        refused += printer.PrintLabels(intruder, window, true).status == PrintResult::Status::Refused;
    });
    EXPECT_TRUE(printer.PrintLabels(surface, window, true).printed());
    EXPECT_EQ(refused, 37);
    EXPECT_TRUE(intruder.ops().isEmpty());
    EXPECT_EQ(pageNumbers(surface), QStringList{"1 of 1"});
}
