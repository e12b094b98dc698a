#include "LaserSheetJob.h"

#include "BodyScan.h"
#include "BoxText.h"
#include "CopiesLimit.h"
#include "LabelParts.h"
#include "PrintPicture.h"
#include "PrinterSurface.h"

namespace tagwright::printing {

namespace {

// Sheet geometry in twips: two columns by three rows of 3.3 x 4 inch labels.
constexpr int LeftColumnX = 50;
constexpr int RightColumnX = 6000;
constexpr int RowY[3] = {200, 4950, 9700};
// A body line whose top lies below its cell's limit goes to the next free cell. The limits
// are heights on the sheet and do not move with the offsets.
constexpr float BodyLimit[3] = {4500, 9500, 14500};

constexpr int RuleWidth = 5600;
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

LaserSheetJob::LaserSheetJob(PrinterSurface& surface, const LabelSnapshot& window,
                             LabelPosition& position, const std::function<void()>& rowPause)
    : m_surface(surface), m_window(window), m_pos(position), m_rowPause(rowPause),
      m_steps(surface)
{
    const double left = boxtext::leadingNumber(m_window.Text23);
    const double right = boxtext::leadingNumber(m_window.Text25);
    const double rows[3] = {boxtext::leadingNumber(m_window.Text22),
                            boxtext::leadingNumber(m_window.Text24),
                            boxtext::leadingNumber(m_window.Text26)};
    for (int index = 0; index < 6; ++index) {
        const int row = index / 2;
        const bool rightColumn = index % 2 == 1;
        Cell& cell = m_cells[std::size_t(index)];
        cell.x = boxtext::roundHalfEven((rightColumn ? right : left)
                                        + (rightColumn ? RightColumnX : LeftColumnX));
        cell.y = boxtext::roundHalfEven(rows[row] + RowY[row]);
        cell.bodyLimit = BodyLimit[row];
        if (!m_window.cellMarked(index + 1) && cell.y + 30 <= cell.bodyLimit)
            m_continuationFits = true;
    }
}

QString LaserSheetJob::refusal() const
{
    bool anyFree = false;
    for (int cell = 1; cell <= 6; ++cell)
        anyFree = anyFree || !m_window.cellMarked(cell);
    if (!anyFree)
        return AllCellsMarked;
    if (boxtext::leadingNumber(m_window.Text15) > MaxCopies)
        return TooManyCopiesMessage;

    static const char* const rowRoles[3] = {"top row", "middle row", "bottom row"};
    const QString* rowBoxes[3] = {&m_window.Text22, &m_window.Text24, &m_window.Text26};
    for (int index = 0; index < 6; ++index) {
        if (m_window.cellMarked(index + 1))
            continue;
        const Cell& cell = m_cells[std::size_t(index)];
        const bool rightColumn = index % 2 == 1;
        QString message = offsetRangeRefusal(
            rightColumn ? QStringLiteral("right column") : QStringLiteral("left column"),
            rightColumn ? m_window.Text25 : m_window.Text23, cell.x, cell.x + RuleWidth);
        if (message.isEmpty()) {
            message = offsetRangeRefusal(QLatin1String(rowRoles[index / 2]), *rowBoxes[index / 2],
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
        const double copies = boxtext::leadingNumber(m_window.Text15);
        for (double copy = 1; copy <= copies; ++copy) {
            NextCell();
            composeLabel();
        }
        m_steps([&] { m_surface.EndDoc(); });
    });
    result.filled = m_filled;
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
        }
    } while (m_window.cellMarked(m_pos.LabelCell));
    const Cell& cell = m_cells[std::size_t(m_pos.LabelCell - 1)];
    m_pos.LabelX = int(cell.x);
    m_pos.LabelY = int(cell.y);
    m_pos.BodyTop = m_pos.LabelY;
}

bool LaserSheetJob::moveOnToNextCell()
{
    if (!m_continuationFits)
        return false;
    NextCell();
    return true;
}

QString& LaserSheetJob::value(ValueBox box)
{
    switch (box) {
    case ValueBox::Text3: return m_window.Text3;
    case ValueBox::Text4: return m_window.Text4;
    case ValueBox::Text5: return m_window.Text5;
    case ValueBox::Text6: return m_window.Text6;
    case ValueBox::Text7: return m_window.Text7;
    case ValueBox::Text8: return m_window.Text8;
    }
    return m_window.Text3;
}

// An empty value box of a printed line gets a run of underscores, left in the box, so the
// label has a line to write the value on by hand.
void LaserSheetJob::printValueField(float x, float y, const QString& caption, ValueBox box,
                                    int underscores)
{
    QString& text = value(box);
    if (text.isEmpty()) {
        text = QString(underscores, u'_');
        m_filled.append({box, text});
    }
    printHeaderField(m_steps, m_surface, x, y, caption, text);
}

void LaserSheetJob::composeLabel()
{
    const bool hasLogo = !m_window.Picture1.isNull();
    if (hasLogo)
        PrintPicture(m_steps, m_surface, m_window.Picture1, m_pos.LabelX, m_pos.LabelY, m_rowPause);
    if (m_window.Check1 == 1)
        printCompanyBlock(m_steps, m_surface, m_window, float(m_pos.LabelX + CompanyCentre),
                          float(m_pos.LabelY));
    if (m_window.Check1 == 0 && !hasLogo)
        m_pos.LabelY -= RaiseWithoutTop;

    const float x = float(m_pos.LabelX);
    const float upperRule = float(m_pos.LabelY + UpperRule);
    m_steps([&] { m_surface.Line(x, upperRule, x + RuleWidth, upperRule, 0); });

    bool datePlaced = false;
    printFirstRow(datePlaced);
    if (m_window.Text3.isEmpty() && m_window.Text4.isEmpty() && m_window.Text5.isEmpty()
        && !datePlaced)
        m_pos.LabelY -= RaiseForEmptyFirstRow;
    printSecondRowAndRule(datePlaced);

    setBodyFont(m_steps, m_surface, m_window.Text2Font);
    BodyPlacement placement;
    placement.widthLimit = BodyWidthLimit;
    placement.left = [this] { return float(m_pos.LabelX); };
    placement.top = [this] { return float(m_pos.BodyTop); };
    // A line may start anywhere down to the cell's limit, whatever its height.
    placement.fits = [this](float lineTop, float) {
        return lineTop <= m_cells[std::size_t(m_pos.LabelCell - 1)].bodyLimit;
    };
    placement.moveOn = [this] { return moveOnToNextCell(); };
    placeBody(m_steps, m_surface, m_window.Text2, placement);

    if (m_window.Check2 != 0)
        printSignature();
}

void LaserSheetJob::printFirstRow(bool& datePlaced)
{
    const float x = float(m_pos.LabelX);
    const float y = float(m_pos.LabelY + FirstRow);
    // Without a "Reg #" caption the first slot takes the date, when there is one.
    if (!boxtext::isBlank(m_window.Text19)) {
        datePlaced = false;
        printValueField(x, y, m_window.Text19, ValueBox::Text3, 7);
    } else if (!m_window.Text9.isEmpty() && !boxtext::isBlank(m_window.Text9)) {
        printDateField(m_steps, m_surface, x, y, m_window.Text9);
        datePlaced = true;
    }
    if (!boxtext::isBlank(m_window.Text20))
        printValueField(x + 1350, y, m_window.Text20, ValueBox::Text4, 26);
    if (!boxtext::isBlank(m_window.Text21))
        printValueField(x + 4140, y, m_window.Text21, ValueBox::Text5, 12);
}

void LaserSheetJob::printSecondRowAndRule(bool datePlaced)
{
    const float x = float(m_pos.LabelX);
    const bool noSecondRow = m_window.Text6.isEmpty() && m_window.Text7.isEmpty()
        && m_window.Text8.isEmpty() && (datePlaced || m_window.Text9.isEmpty());
    m_pos.BodyTop = m_pos.LabelY + (noSecondRow ? LowerRuleAlone : LowerRuleBelowSecondRow);
    const float rule = float(m_pos.BodyTop);
    m_steps([&] { m_surface.Line(x, rule, x + RuleWidth, rule, 0); });
    if (noSecondRow)
        return;

    const float y = float(m_pos.LabelY + SecondRow);
    if (!datePlaced && !m_window.Text9.isEmpty())
        printDateField(m_steps, m_surface, x, y, m_window.Text9);
    if (!boxtext::isBlank(m_window.Text16))
        printValueField(x + 1400, y, m_window.Text16, ValueBox::Text6, 8);
    if (!boxtext::isBlank(m_window.Text17))
        printValueField(x + 2800, y, m_window.Text17, ValueBox::Text7, 8);
    if (!boxtext::isBlank(m_window.Text18))
        printValueField(x + 4200, y, m_window.Text18, ValueBox::Text8, 8);
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
    m_steps([&] { m_surface.CurrentX(x + SignatureFrom); });
    const QString name = m_window.Combo2.isEmpty() ? QStringLiteral("Authorized Signature")
                                                   : m_window.Combo2;
    m_steps([&] { m_surface.Print(name, LineEnd::EndLine); });
}

}  // namespace tagwright::printing
