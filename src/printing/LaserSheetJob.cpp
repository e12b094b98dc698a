#include "LaserSheetJob.h"

#include "BodyScan.h"
#include "BoxText.h"
#include "CopiesLimit.h"
#include "LabelParts.h"
#include "PrintPicture.h"
#include "PrinterSurface.h"
#include "SheetLayout.h"

namespace tagwright::printing {

namespace {

using sheet::BodyLimit;
using sheet::LeftColumnX;
using sheet::RightColumnX;
using sheet::RowY;
using sheet::RuleWidth;

constexpr int CompanyCentre = 2850;
constexpr int RaiseWithoutTop = 750;
constexpr int RaiseForEmptyFirstRow = 190;
constexpr int UpperRule = 750;
constexpr int FirstRow = 760;
constexpr int SecondRow = 950;
constexpr int LowerRuleAlone = 950;
constexpr int LowerRuleBelowSecondRow = 1150;
constexpr float BodyWidthLimit = 5501;
constexpr int SignatureFrom = 100;
constexpr int SignatureTo = 3000;

const QString AllCellsMarked = QStringLiteral(
    "All six label cells are marked \"X\". Clear at least one cell to print.");

}  // namespace

LaserSheetJob::LaserSheetJob(PrinterSurface& surface, const LabelContent& label,
                             const SheetRequest& sheet, LabelPosition& position,
                             const std::function<void()>& rowPause)
    : m_surface(surface), m_label(label), m_sheet(sheet), m_pos(position), m_rowPause(rowPause),
      m_steps(surface)
{
    const PrintOffsets& offsets = sheet.offsets;
    const double left = offsets.leftColumn;
    const double right = offsets.rightColumn;
    const double rows[3] = {offsets.topRow, offsets.middleRow, offsets.bottomRow};
    for (int index = 0; index < 6; ++index) {
        const int row = index / 2;
        const bool rightColumn = index % 2 == 1;
        Cell& cell = m_cells[std::size_t(index)];
        cell.x = boxtext::roundHalfEven((rightColumn ? right : left)
                                        + (rightColumn ? RightColumnX : LeftColumnX));
        cell.y = boxtext::roundHalfEven(rows[row] + RowY[row]);
        // The limit moves with the row's adjustment as it stands rounded in the origin.
        cell.bodyLimit = float(cell.y - RowY[row]) + BodyLimit[row];
    }
}

QString LaserSheetJob::refusal() const
{
    if (m_sheet.used.full())
        return AllCellsMarked;
    if (m_sheet.copies > MaxCopies)
        return TooManyCopiesMessage;

    static const char* const rowRoles[3] = {"top row", "middle row", "bottom row"};
    const PrintOffsets& offsets = m_sheet.offsets;
    const double rowOffsets[3] = {offsets.topRow, offsets.middleRow, offsets.bottomRow};
    for (int index = 0; index < 6; ++index) {
        if (m_sheet.used.contains(index + 1))
            continue;
        const Cell& cell = m_cells[std::size_t(index)];
        const bool rightColumn = index % 2 == 1;
        QString message = offsetRangeRefusal(
            rightColumn ? QStringLiteral("right column") : QStringLiteral("left column"),
            rightColumn ? offsets.rightColumn : offsets.leftColumn, cell.x, cell.x + RuleWidth);
        if (message.isEmpty()) {
            message = offsetRangeRefusal(QLatin1String(rowRoles[index / 2]), rowOffsets[index / 2],
                                         cell.y - RaiseWithoutTop - RaiseForEmptyFirstRow,
                                         cell.y + LowerRuleBelowSecondRow + 30);
        }
        if (!message.isEmpty())
            return message;
    }
    return {};
}

PrintResult LaserSheetJob::run()
{
    PrintResult result = runPrintJob(m_surface, refusal(), [this] {
        m_pos.LabelCell = 0;
        for (double copy = 1; copy <= m_sheet.copies; ++copy) {
            NextCell();
            composeLabel();
        }
        m_steps([&] { m_surface.EndDoc(); });
    });
    result.filled = m_filled;
    result.overlong = m_overlong.captions;
    result.lastSheetCells = m_lastSheetCells;
    return result;
}

void LaserSheetJob::NextCell()
{
    do {
        ++m_pos.LabelCell;
        if (m_pos.LabelCell > 6) {
            // The full sheet goes out as a job of its own; the next label starts a new one.
            m_steps([&] { m_surface.EndDoc(); });
            m_pos.LabelCell = 1;
            m_lastSheetCells = {};
        }
    } while (m_sheet.used.contains(m_pos.LabelCell));
    m_lastSheetCells.insert(m_pos.LabelCell);
    const Cell& cell = m_cells[std::size_t(m_pos.LabelCell - 1)];
    m_pos.LabelX = int(cell.x);
    m_pos.LabelY = int(cell.y);
    m_pos.BodyTop = m_pos.LabelY;
}

// A cell's first body line always lies above its limit, which moves with the cell, so a
// body running on always finds room in the next free cell.
bool LaserSheetJob::moveOnToNextCell()
{
    NextCell();
    return true;
}

// An empty value of a printed line gets a run of underscores, which stays for the labels
// after it, so the label has a line to write the value on by hand.
void LaserSheetJob::printValueField(float x, float y, HeaderSlot slot, int underscores, float end)
{
    HeaderLine& line = m_label.line(slot);
    if (line.value.isEmpty()) {
        line.value = QString(underscores, u'_');
        m_filled.append({slot, line.value});
    }
    if (!printHeaderField(m_steps, m_surface, x, y, line.caption, line.value, end))
        m_overlong.note(line.caption);
}

void LaserSheetJob::printDate(float x, float y, float end)
{
    if (!printDateField(m_steps, m_surface, x, y, m_label.date, end))
        m_overlong.note(QStringLiteral("Date"));
}

void LaserSheetJob::composeLabel()
{
    const bool hasLogo = !m_label.logo.isNull();
    if (hasLogo)
        PrintPicture(m_steps, m_surface, m_label.logo, m_pos.LabelX, m_pos.LabelY, m_rowPause);
    if (m_label.printsCompany)
        printCompanyBlock(m_steps, m_surface, m_label.company, float(m_pos.LabelX + CompanyCentre),
                          float(m_pos.LabelY), float(m_pos.LabelX), float(m_pos.LabelX + RuleWidth));
    if (!m_label.printsCompany && !hasLogo)
        m_pos.LabelY -= RaiseWithoutTop;

    const float x = float(m_pos.LabelX);
    const float upperRule = float(m_pos.LabelY + UpperRule);
    m_steps([&] { m_surface.Line(x, upperRule, x + RuleWidth, upperRule, 0); });

    bool datePlaced = false;
    printFirstRow(datePlaced);
    if (m_label.registration.value.isEmpty() && m_label.make.value.isEmpty()
        && m_label.serial.value.isEmpty()
        && !datePlaced)
        m_pos.LabelY -= RaiseForEmptyFirstRow;
    printSecondRowAndRule(datePlaced);

    setBodyFont(m_steps, m_surface, m_label.bodyFont);
    BodyPlacement placement;
    placement.widthLimit = BodyWidthLimit;
    placement.left = [this] { return float(m_pos.LabelX); };
    placement.top = [this] { return float(m_pos.BodyTop); };
    // A line may start anywhere down to the cell's limit, whatever its height.
    placement.fits = [this](float lineTop, float) {
        return lineTop <= m_cells[std::size_t(m_pos.LabelCell - 1)].bodyLimit;
    };
    placement.moveOn = [this] { return moveOnToNextCell(); };
    placeLines(m_steps, m_surface, m_wrapped.lines(m_steps, m_surface, m_label.body, placement.widthLimit), placement);

    if (m_label.printsSignature)
        printSignature();
}

void LaserSheetJob::printFirstRow(bool& datePlaced)
{
    const float x = float(m_pos.LabelX);
    const float y = float(m_pos.LabelY + FirstRow);
    // Without a "Reg #" caption the first slot takes the date, when there is one.
    // Each value ends where the next column starts; the last one at the rule's end.
    if (!boxtext::isBlank(m_label.registration.caption)) {
        datePlaced = false;
        printValueField(x, y, HeaderSlot::Registration, 7, x + 1350);
    } else if (!m_label.date.isEmpty() && !boxtext::isBlank(m_label.date)) {
        printDate(x, y, x + 1350);
        datePlaced = true;
    }
    if (!boxtext::isBlank(m_label.make.caption))
        printValueField(x + 1350, y, HeaderSlot::Make, 26, x + 4140);
    if (!boxtext::isBlank(m_label.serial.caption))
        printValueField(x + 4140, y, HeaderSlot::Serial, 12, x + RuleWidth);
}

void LaserSheetJob::printSecondRowAndRule(bool datePlaced)
{
    const float x = float(m_pos.LabelX);
    const bool noSecondRow = m_label.tach.value.isEmpty() && m_label.totalTime.value.isEmpty()
        && m_label.sinceOverhaul.value.isEmpty() && (datePlaced || m_label.date.isEmpty());
    m_pos.BodyTop = m_pos.LabelY + (noSecondRow ? LowerRuleAlone : LowerRuleBelowSecondRow);
    const float rule = float(m_pos.BodyTop);
    m_steps([&] { m_surface.Line(x, rule, x + RuleWidth, rule, 0); });
    if (noSecondRow)
        return;

    const float y = float(m_pos.LabelY + SecondRow);
    if (!datePlaced && !m_label.date.isEmpty())
        printDate(x, y, x + 1400);
    if (!boxtext::isBlank(m_label.tach.caption))
        printValueField(x + 1400, y, HeaderSlot::Tach, 8, x + 2800);
    if (!boxtext::isBlank(m_label.totalTime.caption))
        printValueField(x + 2800, y, HeaderSlot::TotalTime, 8, x + 4200);
    if (!boxtext::isBlank(m_label.sinceOverhaul.caption))
        printValueField(x + 4200, y, HeaderSlot::SinceOverhaul, 8, x + RuleWidth);
}

// One blank body line under the body, then the rule and the name below it. It follows the
// body wherever that ended, without the cell's limit.
void LaserSheetJob::printSignature()
{
    m_steps([&] { m_surface.Print(QString(), LineEnd::EndLine); });
    m_steps([&] { m_surface.FontName(QStringLiteral("Arial")); });
    m_steps([&] { m_surface.FontSize(8); });
    m_steps([&] { m_surface.FontBold(false); });
    const float x = float(m_pos.LabelX);
    m_steps([&] {
        const float y = m_surface.CurrentY();
        m_surface.Line(x + SignatureFrom, y, x + SignatureTo, y, 0);
    });
    if (m_label.signatory.isEmpty()) {
        m_steps([&] { m_surface.CurrentX(x + SignatureFrom); });
        m_steps([&] { m_surface.Print(QStringLiteral("Authorized Signature"), LineEnd::EndLine); });
        return;
    }
    printSignOff(m_steps, m_surface, x + SignatureFrom, m_label.signatory,
                 certificateText(m_label.certificateKind, m_label.certificateNumber),
                 x + SignatureTo, x + RuleWidth);
}

}  // namespace tagwright::printing
