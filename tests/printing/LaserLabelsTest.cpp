#include "PrintingFixture.h"

#include "printing/PrinterError.h"

using namespace tagwright::printing;
using namespace tagwright::test;

namespace {

PrintResult printLaser(RecordingSurface& surface, const PrintRequest& window)
{
    LabelPrinter printer;
    return printer.PrintLabels(surface, window);
}

QImage greyBoxWithRedCorner()
{
    QImage box(37, 37, QImage::Format_RGB32);
    box.fill(0xFFC0C0C0);
    box.setPixel(0, 0, qRgb(255, 0, 0));
    return box;
}

// Lines drawn 5600 wide: the label's two rules.
QVector<float> ruleHeights(const RecordingSurface& surface)
{
    QVector<float> heights;
    for (const RecordedOp& op : opsOfKind(surface, RecordedOp::Kind::Line)) {
        if (op.x2 - op.x == 5600)
            heights.append(op.y);
    }
    return heights;
}

}  // namespace

TEST(LaserCells, copiesFillFreeCellsAndEachFullSheetIsAJob)
{
    struct Case {
        const char* copies;
        std::initializer_list<int> marked;
        const char* cells;
    } cases[] = {
        {"3", {}, "1 2 3 |"},
        {"7", {}, "1 2 3 4 5 6 | 1 |"},
        {"5", {1, 2}, "3 4 5 6 | 3 |"},
        {"2.5", {}, "1 2 |"},
        {"2", {2, 3, 4, 5, 6}, "1 | 1 |"},
    };
    for (const Case& c : cases) {
        PrintRequest window = plainWindow();
        window.sheet.copies = boxtext::leadingNumber(QString::fromLatin1(c.copies));
        markCells(window, c.marked);
        RecordingSurface surface;
        EXPECT_TRUE(printLaser(surface, window).printed());
        EXPECT_EQ(cellSequence(surface), c.cells) << "copies " << c.copies;
    }
}

TEST(LaserCells, copiesWithoutAPositiveNumberPrintNothing)
{
    for (const char* copies : {"0", "", "abc", "-2"}) {
        PrintRequest window = plainWindow();
        window.sheet.copies = boxtext::leadingNumber(QString::fromLatin1(copies));
        RecordingSurface surface;
        const PrintResult result = printLaser(surface, window);
        EXPECT_TRUE(result.printed());
        EXPECT_TRUE(surface.ops().isEmpty()) << copies;
        EXPECT_EQ(result.jobsSent, 0);
    }
}

TEST(LaserCells, rowOffsetsAreReadAndRoundedHalfToEven)
{
    for (auto [offset, top] : {std::pair{"1.5", 202.0f}, {"2.5", 202.0f}, {"-100", 100.0f},
                               {"  7 twips", 207.0f}, {"abc", 200.0f}}) {
        PrintRequest window = plainWindow();
        window.label.printsCompany = true;
        window.label.company.name = QStringLiteral("Shop");
        window.sheet.offsets.topRow = boxtext::offsetTwips(QString::fromLatin1(offset));
        RecordingSurface surface;
        printLaser(surface, window);
        ASSERT_TRUE(firstText(surface, QStringLiteral("Shop")));
        EXPECT_EQ(firstText(surface, QStringLiteral("Shop"))->y, top) << offset;
    }
}

TEST(LaserLabel, companyBlockIsCentredWithItsNameBoldAboveTheUpperRule)
{
    PrintRequest window = plainWindow();
    window.label.printsCompany = true;
    window.label.logo = greyBoxWithRedCorner();
    window.label.company.name = QStringLiteral("Skyline Aero");
    window.label.company.address = QStringLiteral("1 Hangar Rd");
    window.label.company.cityStateZip = QString();
    window.label.company.phone = QStringLiteral("555-0100");
    RecordingSurface surface;
    printLaser(surface, window);

    const auto name = firstText(surface, QStringLiteral("Skyline Aero"));
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->font.bold);
    EXPECT_EQ(name->x, 50 + 2850 - 12 * 80 / 2);
    EXPECT_EQ(name->y, 200);
    const auto address = firstText(surface, QStringLiteral("1 Hangar Rd"));
    EXPECT_FALSE(address->font.bold);
    EXPECT_EQ(address->y, 350);
    const auto empty = firstText(surface, QString());
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->y, 500);
    EXPECT_EQ(empty->x, 2900);
    EXPECT_EQ(firstText(surface, QStringLiteral("555-0100"))->y, 650);
    EXPECT_EQ(ruleHeights(surface).value(0), 950);
    EXPECT_EQ(opsOfKind(surface, RecordedOp::Kind::Box).size(), 1);
}

TEST(LaserLabel, withoutCompanyBlockOrLogoEverythingMovesUp750)
{
    PrintRequest withLogo = plainWindow();
    withLogo.label.logo = greyBoxWithRedCorner();
    RecordingSurface raisedSurface, logoSurface;
    printLaser(raisedSurface, plainWindow());
    printLaser(logoSurface, withLogo);

    EXPECT_EQ(ruleHeights(raisedSurface).value(0), 200);
    EXPECT_EQ(ruleHeights(logoSurface).value(0), 950);
    EXPECT_EQ(firstText(logoSurface, QStringLiteral("Body"))->y
                  - firstText(raisedSurface, QStringLiteral("Body"))->y,
              750);
}

TEST(LaserLabel, headerRowsPlaceCaptionsValuesAndTheDate)
{
    PrintRequest window = plainWindow();
    window.label.tach.value = QStringLiteral("1234.5");
    RecordingSurface surface;
    const PrintResult result = printLaser(surface, window);

    // Raised by 750 (no company block, no logo): the first row at 200 - 750 + 760.
    const auto reg = firstText(surface, QStringLiteral("Reg #: "));
    ASSERT_TRUE(reg);
    EXPECT_EQ(reg->x, 50);
    EXPECT_EQ(reg->y, 210);
    EXPECT_FALSE(reg->font.bold);
    EXPECT_FALSE(reg->endsLine);
    const auto value = firstText(surface, QStringLiteral("N123AB"));
    EXPECT_EQ(value->x, 50 + 7 * 80);
    EXPECT_TRUE(value->font.bold);
    EXPECT_TRUE(value->endsLine);
    EXPECT_EQ(firstText(surface, QStringLiteral("Make: "))->x, 1400);
    EXPECT_EQ(firstText(surface, QStringLiteral("Serial: "))->x, 4190);
    // The date opens the second row, the right column's captions follow it.
    const auto date = firstText(surface, QStringLiteral("Date: "));
    EXPECT_EQ(date->x, 50);
    EXPECT_EQ(date->y, 400);
    EXPECT_EQ(firstText(surface, QStringLiteral("Tach: "))->x, 1450);
    EXPECT_EQ(firstText(surface, QStringLiteral("SMOH: "))->x, 4250);
    EXPECT_EQ(ruleHeights(surface), (QVector<float>{200, 600}));
    EXPECT_EQ(firstText(surface, QStringLiteral("Body"))->y, 630);

    // Empty values of printed lines hold underscore runs afterwards.
    ASSERT_EQ(result.filled.size(), 4);
    EXPECT_EQ(result.filled[0].slot, HeaderSlot::Make);
    EXPECT_EQ(result.filled[0].text, QString(26, u'_'));
    EXPECT_EQ(result.filled[1].slot, HeaderSlot::Serial);
    EXPECT_EQ(result.filled[1].text, QString(12, u'_'));
    EXPECT_EQ(result.filled[2].text, QString(8, u'_'));
    EXPECT_TRUE(firstText(surface, QString(26, u'_')));
}

TEST(LaserLabel, dateTakesTheFirstSlotWhenRegCaptionIsBlank)
{
    PrintRequest window = plainWindow();
    window.label.registration.caption = QStringLiteral("  ");
    window.label.registration.value.clear();
    RecordingSurface surface;
    printLaser(surface, window);

    const auto date = firstText(surface, QStringLiteral("Date: "));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->y, 210);
    EXPECT_TRUE(firstText(surface, QStringLiteral("03-07-2001"))->font.bold);
    // Values Text6..label.sinceOverhaul.value all empty: no second row, even with its captions set.
    EXPECT_FALSE(firstText(surface, QStringLiteral("Tach: ")));
    EXPECT_EQ(ruleHeights(surface), (QVector<float>{200, 400}));
    int dates = 0;
    for (const RecordedOp& op : surface.textOps())
        dates += op.text == QStringLiteral("Date: ");
    EXPECT_EQ(dates, 1);
}

TEST(LaserLabel, allBlankHeaderLeavesTwoRulesTenTwipsApart)
{
    PrintRequest window = plainWindow();
    window.label.registration.caption = window.label.make.caption = window.label.serial.caption = QString();
    window.label.tach.caption = window.label.totalTime.caption = window.label.sinceOverhaul.caption = QString();
    window.label.registration.value.clear();
    window.label.date.clear();
    RecordingSurface surface;
    const PrintResult result = printLaser(surface, window);

    EXPECT_EQ(ruleHeights(surface), (QVector<float>{200, 210}));
    EXPECT_EQ(firstText(surface, QStringLiteral("Body"))->y, 240);
    EXPECT_TRUE(result.filled.isEmpty());
}

TEST(LaserLabel, signatureFollowsTheBodyWithNameOrAuthorizedSignature)
{
    PrintRequest window = plainWindow();
    window.label.body.clear();
    window.label.printsSignature = true;
    RecordingSurface anonymous;
    printLaser(anonymous, window);
    // Empty body: one empty line at BodyTop + 30 (630), a blank line, then the rule.
    const auto signature = firstText(anonymous, QStringLiteral("Authorized Signature"));
    ASSERT_TRUE(signature);
    EXPECT_EQ(signature->x, 150);
    EXPECT_EQ(signature->y, 630 + 2 * 240);
    EXPECT_EQ(signature->font.size, 8);
    const auto lines = opsOfKind(anonymous, RecordedOp::Kind::Line);
    EXPECT_EQ(lines.last().x, 150);
    EXPECT_EQ(lines.last().x2, 3050);
    EXPECT_EQ(lines.last().y, 630 + 2 * 240);

    window.label.signatory = QStringLiteral("J. Smith A&P 1234");
    RecordingSurface named;
    printLaser(named, window);
    EXPECT_TRUE(firstText(named, QStringLiteral("J. Smith A&P 1234")));
    EXPECT_FALSE(firstText(named, QStringLiteral("Authorized Signature")));
}

TEST(LaserLabel, italicBodyCarriesOverToSignatureAndTheNextLabelsHeader)
{
    PrintRequest window = plainWindow();
    window.label.bodyFont.FontItalic = true;
    window.label.printsSignature = true;
    window.sheet.copies = 2;
    RecordingSurface surface;
    printLaser(surface, window);

    QVector<bool> regItalic;
    for (const RecordedOp& op : surface.textOps()) {
        if (op.text == QStringLiteral("Reg #: "))
            regItalic.append(op.font.italic);
    }
    EXPECT_EQ(regItalic, (QVector<bool>{false, true}));
    EXPECT_TRUE(firstText(surface, QStringLiteral("Authorized Signature"))->font.italic);
}

TEST(LaserLabel, unavailableBodyFontFallsBackToArialKeepingStyleAndSize)
{
    PrintRequest window = plainWindow();
    window.label.bodyFont = {QStringLiteral("Wingdings"), 12, true, true};
    RecordingSurface surface;
    EXPECT_TRUE(printLaser(surface, window).printed());
    const auto body = firstText(surface, QStringLiteral("Body"));
    ASSERT_TRUE(body);
    EXPECT_EQ(body->font.name, "Arial");
    EXPECT_EQ(body->font.size, 14);
    EXPECT_TRUE(body->font.bold);
    EXPECT_TRUE(body->font.italic);
}

TEST(LaserBody, longBodyRunsOnIntoTheNextFreeCellWithoutHeader)
{
    PrintRequest window = plainWindow();
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    window.label.body = lines.join(QStringLiteral("\r\n"));
    window.label.printsSignature = true;
    window.sheet.copies = 2;
    RecordingSurface surface;
    printLaser(surface, window);

    // Cell 1 takes lines from 630 while their top stays within 4500: 17 lines.
    const auto last = firstText(surface, QStringLiteral("line 16"));
    EXPECT_EQ(last->y, 630 + 16 * 240);
    const auto carried = firstText(surface, QStringLiteral("line 17"));
    EXPECT_EQ(carried->x, 6000);
    EXPECT_EQ(carried->y, 230);
    EXPECT_EQ(cellAt(firstText(surface, QStringLiteral("Authorized Signature"))->x,
                     firstText(surface, QStringLiteral("Authorized Signature"))->y),
              2);
    EXPECT_EQ(cellSequence(surface), "1 3 |");
}

TEST(LaserBody, bodyPastCellSixSendsTheSheetAndGoesOnInCellOne)
{
    PrintRequest window = plainWindow();
    markCells(window, {1, 2, 3, 4, 5});
    QStringList lines;
    for (int i = 0; i < 30; ++i)
        lines.append(QStringLiteral("L%1").arg(i));
    window.label.body = lines.join(QStringLiteral("\r\n"));
    RecordingSurface surface;
    printLaser(surface, window);

    QStringList cells;
    for (const RecordedOp& op : surface.ops()) {
        QString cell;
        if (op.kind == RecordedOp::Kind::EndDoc)
            cell = QStringLiteral("|");
        else if (op.kind == RecordedOp::Kind::Text && op.text.startsWith(u'L') && op.endsLine)
            cell = QString::number(cellAt(op.x, op.y));
        if (!cell.isEmpty() && (cells.isEmpty() || cells.last() != cell))
            cells.append(cell);
    }
    EXPECT_EQ(cells.join(u' '), "6 | 6 |");
    EXPECT_EQ(firstText(surface, QStringLiteral("L19"))->y, 9730);
    EXPECT_EQ(opsOfKind(surface, RecordedOp::Kind::EndDoc).size(), 2);
}

TEST(LaserRefusals, allSixCellsMarkedPrintsNothing)
{
    PrintRequest window = plainWindow();
    markCells(window, {1, 2, 3, 4, 5, 6});
    RecordingSurface surface;
    const PrintResult result = printLaser(surface, window);
    EXPECT_EQ(result.status, PrintResult::Status::Refused);
    EXPECT_EQ(result.message,
              "All six label cells are marked \"X\". Clear at least one cell to print.");
    EXPECT_TRUE(surface.ops().isEmpty());
}

TEST(LaserRefusals, absurdCopiesAreRefusedBeforeAnythingPrints)
{
    PrintRequest window = plainWindow();
    window.sheet.copies = 1000;
    RecordingSurface surface;
    const PrintResult result = printLaser(surface, window);
    EXPECT_EQ(result.status, PrintResult::Status::Refused);
    EXPECT_TRUE(result.message.contains(QStringLiteral("999")));
    EXPECT_TRUE(surface.ops().isEmpty());

    window.sheet.copies = 999;
    EXPECT_EQ(printLaser(surface, window).status, PrintResult::Status::Printed);
}

TEST(LaserRefusals, offsetOutsideSixteenBitsIsRefusedNamingItsBox)
{
    PrintRequest window = plainWindow();
    window.sheet.offsets.rightColumn = 40000;
    RecordingSurface surface;
    PrintResult result = printLaser(surface, window);
    EXPECT_EQ(result.status, PrintResult::Status::Refused);
    EXPECT_TRUE(result.message.contains(QStringLiteral("right column offset \"40000\"")))
        << result.message.toStdString();
    EXPECT_TRUE(surface.ops().isEmpty());

    // Only cells that can be printed on count.
    markCells(window, {2, 4, 6});
    EXPECT_TRUE(printLaser(surface, window).printed());

    window.sheet.offsets.bottomRow = -99999;
    result = printLaser(surface, window);
    EXPECT_TRUE(result.message.contains(QStringLiteral("bottom row offset")));
}

TEST(LaserBody, aRowAdjustmentMovesTheBodyLimitWithTheLabel)
{
    PrintRequest window = plainWindow();
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    window.label.body = lines.join(QStringLiteral("\r\n"));
    window.sheet.copies = 1;
    // Moved down, up, or below where the sheet's own limit for the top row lies, cell 1
    // keeps the 17 lines it holds at 0, and the rest goes on at the top of cell 2.
    for (const double top : {0.0, 300.0, -100.0, 5000.0}) {
        SCOPED_TRACE(top);
        window.sheet.offsets.topRow = top;
        RecordingSurface surface;
        EXPECT_TRUE(printLaser(surface, window).printed());
        EXPECT_EQ(firstText(surface, QStringLiteral("line 16"))->y, 630 + 16 * 240 + top);
        const auto carried = firstText(surface, QStringLiteral("line 17"));
        EXPECT_EQ(carried->x, 6000);
        EXPECT_EQ(carried->y, 230 + top);
    }
}

namespace {

// A printer that fails a given number of times when text is drawn, then recovers.
class FlakySurface : public RecordingSurface {
public:
    int failuresLeft = 0;
    int failAfterTexts = 0;

protected:
    void drawText(float x, float y, const QString& text, LineEnd end) override
    {
        if (failAfterTexts > 0) {
            --failAfterTexts;
        } else if (failuresLeft > 0) {
            --failuresLeft;
            throw PrinterError(PrinterFailure, QStringLiteral("Printer offline"));
        }
        RecordingSurface::drawText(x, y, text, end);
    }
};

}  // namespace

TEST(LaserErrors, failedStepIsRetriedAtMostThreeTimes)
{
    FlakySurface recovers;
    recovers.failuresLeft = 3;
    EXPECT_TRUE(printLaser(recovers, plainWindow()).printed());
    EXPECT_TRUE(firstText(recovers, QStringLiteral("Reg #: ")));

    FlakySurface broken;
    broken.failuresLeft = 4;
    const PrintResult result = printLaser(broken, plainWindow());
    EXPECT_EQ(result.status, PrintResult::Status::Failed);
    EXPECT_EQ(result.errorNumber, 482);
    EXPECT_TRUE(result.message.contains(QStringLiteral("Printer offline")));
    EXPECT_FALSE(broken.jobOpen());
    EXPECT_TRUE(opsOfKind(broken, RecordedOp::Kind::EndDoc).isEmpty());
}

TEST(LaserErrors, abandonedJobKeepsTheSheetsAlreadySent)
{
    FlakySurface surface;
    surface.failAfterTexts = 6 * 20;  // well into the second sheet
    surface.failuresLeft = 100;
    PrintRequest window = plainWindow();
    window.sheet.copies = 12;
    const PrintResult result = printLaser(surface, window);
    EXPECT_EQ(result.status, PrintResult::Status::Failed);
    EXPECT_EQ(result.jobsSent, 1);
    EXPECT_EQ(opsOfKind(surface, RecordedOp::Kind::EndDoc).size(), 1);
}

TEST(LaserJobs, aSecondJobCannotStartWhileTheLogoPauses)
{
    LabelPrinter printer;
    RecordingSurface surface, intruder;
    PrintRequest window = plainWindow();
    window.label.logo = greyBoxWithRedCorner();
    std::optional<PrintResult> nested;
    printer.setRowPause([&] {
        if (!nested)
            nested = printer.PrintLabels(intruder, window);
    });
    EXPECT_TRUE(printer.PrintLabels(surface, window).printed());
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->status, PrintResult::Status::Refused);
    EXPECT_TRUE(intruder.ops().isEmpty());
    EXPECT_FALSE(printer.busy());
    EXPECT_EQ(printer.position().LabelCell, 1);
}
