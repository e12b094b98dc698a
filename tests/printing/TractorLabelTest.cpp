#include "PrintingFixture.h"

#include "printing/PrinterError.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

PrintResult printTractor(RecordingSurface& surface, PrintRequest window)
{
    window.stock = LabelStock::Tractor;
    return LabelPrinter().PrintLabels(surface, window);
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

// Each page as "k of N: first@y .. last@y (lines)", or "k of N: line@y" for a page of one
// line. Body lines are the texts in the body font that end their line.
QStringList pageSummaries(const RecordingSurface& surface, float bodySize)
{
    QStringList pages;
    QString number;
    QStringList lines;
    QVector<float> heights;
    const auto endPage = [&] {
        QString summary = number + QStringLiteral(": ");
        if (lines.size() == 1)
            summary += QStringLiteral("%1@%2").arg(lines.first()).arg(heights.first());
        else if (!lines.isEmpty())
            summary += QStringLiteral("%1@%2 .. %3@%4 (%5)")
                           .arg(lines.first()).arg(heights.first())
                           .arg(lines.last()).arg(heights.last()).arg(lines.size());
        pages.append(summary);
        number.clear();
        lines.clear();
        heights.clear();
    };
    for (const RecordedOp& op : surface.ops()) {
        if (op.kind == RecordedOp::Kind::NewPage || op.kind == RecordedOp::Kind::EndDoc) {
            endPage();
        } else if (op.kind == RecordedOp::Kind::Text && op.font.size == bodySize) {
            if (op.endsLine) {
                lines.append(op.text);
                heights.append(op.y);
            } else {
                number = op.text;
            }
        }
    }
    return pages;
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

// Body lines wrap between the rules (7920 - 2 x LabelX wide), a line is placed only where it
// ends above the page number and signature at 3900, and the pages read "k of N" with N the
// pages printed. The recording font makes a body character 100 twips wide and a line 240
// high; the plain window's lower rule lies at 600, so lines start at 630.
TEST(TractorLabel, bodyWrapsBetweenTheRulesEndsAboveTheFootAndCountsThePagesPrinted)
{
    QStringList twenty;
    for (int i = 0; i < 20; ++i)
        twenty.append(QStringLiteral("L%1").arg(i));
    const QString paragraph = QStringLiteral("inspected ").repeated(253);
    const QString seven = QStringList(7, QStringLiteral("inspected")).join(u' ');
    const QString w100(100, u'w');
    const QString w78(78, u'w');
    const QString w68(68, u'w');

    struct Case {
        const char* what;
        QString body;
        double top = 0;       // top row offset
        double left = 0;      // left column offset
        float bodySize = 8;   // points; the body prints 2 points larger
        QStringList pages;
    };
    const Case cases[] = {
        {"empty body", QString(), 0, 0, 8, {"1 of 1: @630"}},
        {"hard breaks and a closing empty line", QStringLiteral("abc\r\ndef\r\n"), 0, 0, 8,
         {"1 of 1: abc@630 .. @1110 (3)"}},
        // 3510 + 240 ends above the foot; at 3750 the next line would reach 3990.
        {"twenty lines run onto a second page", twenty.join(QStringLiteral("\r\n")), 0, 0, 8,
         {"1 of 2: L0@630 .. L12@3510 (13)", "2 of 2: L13@630 .. L19@2070 (7)"}},
        // Lower rule at 750: the thirteenth line ends exactly on the foot and stays.
        {"a line ending on the foot stays", QStringList(14, QStringLiteral("x")).join(QStringLiteral("\r\n")),
         150, 0, 8, {"1 of 2: x@780 .. x@3660 (13)", "2 of 2: x@780"}},
        {"a line reaching one twip into the foot moves on",
         QStringList(14, QStringLiteral("x")).join(QStringLiteral("\r\n")), 151, 0, 8,
         {"1 of 2: x@781 .. x@3421 (12)", "2 of 2: x@781 .. x@1021 (2)"}},
        // 253 words, seven to a line of 69 characters: 37 lines.
        {"a paragraph without breaks counts its wrapped lines", paragraph, 0, 0, 8,
         {QStringLiteral("1 of 3: %1@630 .. %1@3510 (13)").arg(seven),
          QStringLiteral("2 of 3: %1@630 .. %1@3510 (13)").arg(seven),
          QStringLiteral("3 of 3: %1@630 .. inspected @3030 (11)").arg(seven)}},
        {"forty one-letter lines", QStringList(40, QStringLiteral("x")).join(QStringLiteral("\r\n")), 0, 0, 8,
         {"1 of 4: x@630 .. x@3510 (13)", "2 of 4: x@630 .. x@3510 (13)", "3 of 4: x@630 .. x@3510 (13)",
          "4 of 4: x@630"}},
        // 7820 twips between the rules at LabelX 50, 6820 at LabelX 550.
        {"a long word is cut at the right rule", w100, 0, 0, 8,
         {QStringLiteral("1 of 1: %1@630 .. %2@870 (2)").arg(w78, QString(22, u'w'))}},
        {"a left offset narrows the lines from both sides", w100, 0, 500, 8,
         {QStringLiteral("1 of 1: %1@630 .. %2@870 (2)").arg(w68, QString(32, u'w'))}},
        // At 62 points twelve characters fit and a line is 1488 high: the third line at 3606
        // would reach 5094.
        {"a large font breaks at the hyphen and pages by its own height",
         QStringLiteral("self-contained unit"), 0, 0, 60,
         {"1 of 2: self@630 .. -contained@2118 (2)", "2 of 2: unit@630"}},
    };
    for (const Case& c : cases) {
        PrintRequest window = plainWindow();
        window.label.body = c.body;
        window.sheet.offsets.topRow = c.top;
        window.sheet.offsets.leftColumn = c.left;
        window.label.bodyFont.FontSize = c.bodySize;
        RecordingSurface surface;
        EXPECT_TRUE(printTractor(surface, window).printed()) << c.what;
        EXPECT_EQ(pageSummaries(surface, c.bodySize + 2), c.pages) << c.what;
        const float labelX = 50 + float(c.left);
        for (const RecordedOp& op : surface.textOps()) {
            if (op.endsLine && op.font.size == c.bodySize + 2) {
                EXPECT_EQ(op.x, labelX) << c.what;
                EXPECT_LE(op.x + op.text.size() * 10 * op.font.size, 7920 - labelX) << c.what;
            }
        }
    }
}

TEST(TractorLabel, signatureStandsOnTheLastPage)
{
    PrintRequest window = plainWindow();
    window.label.body = QStringList(20, QStringLiteral("line")).join(QStringLiteral("\r\n"));
    window.label.printsSignature = true;
    window.label.signatory = QStringLiteral("J. Smith");
    RecordingSurface surface;
    printTractor(surface, window);
    EXPECT_EQ(opsOfKind(surface, RecordedOp::Kind::NewPage).size(), 1);
    const auto& ops = surface.ops();
    const auto newPage = std::find_if(ops.begin(), ops.end(), [](const RecordedOp& op) {
        return op.kind == RecordedOp::Kind::NewPage;
    });
    const auto name = std::find_if(ops.begin(), ops.end(), [](const RecordedOp& op) {
        return op.text == QStringLiteral("J. Smith");
    });
    EXPECT_LT(newPage, name);
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
    window.stock = LabelStock::Tractor;
    window.label.logo = QImage(37, 37, QImage::Format_RGB32);
    window.label.logo.fill(Qt::black);
    RecordingSurface surface, intruder;
    int refused = 0;
    printer.setRowPause([&] {
        refused += printer.PrintLabels(intruder, window).status == PrintResult::Status::Refused;
    });
    EXPECT_TRUE(printer.PrintLabels(surface, window).printed());
    EXPECT_EQ(refused, 37);
    EXPECT_TRUE(intruder.ops().isEmpty());
    EXPECT_EQ(pageNumbers(surface), QStringList{"1 of 1"});
}
