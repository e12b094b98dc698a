#include "TractorJob.h"

#include "BodyScan.h"
#include "BoxText.h"
#include "LabelParts.h"
#include "PrintPicture.h"
#include "PrinterSurface.h"

namespace tagwright::printing {

namespace {

// One label of the continuous stock is one page, in twips. The page width is also the
// right-hand reference of the rules and the centring.
constexpr int PageWidth = 7920;
constexpr int PageHeight = 4350;
constexpr int OriginX = 50;
constexpr int OriginY = 200;

constexpr int RaiseWithoutTop = 750;
constexpr int RaiseForEmptyFirstRow = 190;
constexpr int UpperRule = 750;
constexpr int FirstRow = 760;
constexpr int SecondRow = 950;
constexpr int LowerRuleAlone = 950;
constexpr int LowerRuleBelowSecondRow = 1150;
// Page numbers and the signature stand at this height on every page, whatever the offsets;
// a body line must end above it.
constexpr float FooterY = 3900;
constexpr int SignatureFrom = 3000;
constexpr float GapBelowRule = 30;

}  // namespace

TractorJob::TractorJob(PrinterSurface& surface, const LabelContent& label,
                       const PrintOffsets& offsets, LabelPosition& position,
                       const std::function<void()>& rowPause)
    : m_surface(surface), m_label(label), m_offsets(offsets), m_pos(position),
      m_rowPause(rowPause), m_steps(surface)
{
    m_originX = offsets.leftColumn + OriginX;
    m_originY = offsets.topRow + OriginY;
}

QString TractorJob::refusal() const
{
    QString message = offsetRangeRefusal(QStringLiteral("left column"), m_offsets.leftColumn,
                                         qMin(m_originX, PageWidth - m_originX),
                                         qMax(m_originX + PageWidth, PageWidth - m_originX));
    if (message.isEmpty()) {
        message = offsetRangeRefusal(QStringLiteral("top row"), m_offsets.topRow,
                                     m_originY - RaiseWithoutTop - RaiseForEmptyFirstRow,
                                     m_originY + LowerRuleBelowSecondRow + 30);
    }
    return message;
}

PrintResult TractorJob::run()
{
    PrintResult result = runPrintJob(m_surface, refusal(), [this] { compose(); });
    result.overlong = m_overlong.captions;
    return result;
}

void TractorJob::compose()
{
    m_steps([&] { m_surface.PageSize(PageWidth, PageHeight); });
    m_pos.LabelCell = 0;
    m_pos.LabelX = int(m_originX);
    m_pos.LabelY = int(m_originY);
    m_pos.BodyTop = m_pos.LabelY;

    const bool hasLogo = !m_label.logo.isNull();
    if (hasLogo)
        PrintPicture(m_steps, m_surface, m_label.logo, m_pos.LabelX, m_pos.LabelY, m_rowPause);
    if (m_label.printsCompany) {
        // Centred on half of what lies right of the left offset, not on the rules' middle:
        // tractor labels have always been printed that way.
        printCompanyBlock(m_steps, m_surface, m_label.company, float(PageWidth - m_pos.LabelX) / 2,
                          float(m_pos.LabelY), float(m_pos.LabelX), float(PageWidth - m_pos.LabelX));
    }
    if (!m_label.printsCompany && !hasLogo)
        m_pos.LabelY -= RaiseWithoutTop;

    const float left = float(m_pos.LabelX);
    const float right = float(PageWidth - m_pos.LabelX);
    const float upperRule = float(m_pos.LabelY + UpperRule);
    m_steps([&] { m_surface.Line(left, upperRule, right, upperRule, 0); });

    bool datePlaced = false;
    printFirstRow(datePlaced);
    if (m_label.registration.value.isEmpty() && m_label.make.value.isEmpty()
        && m_label.serial.value.isEmpty()
        && !datePlaced)
        m_pos.LabelY -= RaiseForEmptyFirstRow;
    printSecondRowAndRule(datePlaced);

    setBodyFont(m_steps, m_surface, m_label.bodyFont);
    // The body keeps between the rules, and every page says how many there are: the lines
    // are laid out, and the pages counted, before the first page number is printed.
    BodyPlacement placement;
    placement.widthLimit = float(PageWidth - 2 * m_pos.LabelX);
    placement.left = [this] { return float(m_pos.LabelX); };
    placement.top = [this] { return float(m_pos.BodyTop); };
    placement.fits = [](float lineTop, float lineHeight) { return lineTop + lineHeight <= FooterY; };
    placement.moveOn = [this] { return newPageGivesRoom(); };
    const QStringList lines = wrapBody(m_steps, m_surface, m_label.body, placement.widthLimit);
    m_page = 1;
    m_pageCount = 1 + countMoves(m_steps, m_surface, lines.size(), placement);
    printPageNumber();

    placement.moveOn = [this] { return moveOnToNextPage(); };
    placeLines(m_steps, m_surface, lines, placement);

    if (!m_label.signatory.isEmpty() && m_label.printsSignature)
        printSignature();
    m_steps([&] { m_surface.EndDoc(); });
}

// Tractor labels print only header lines that have a value: a blank value (spaces only)
// leaves its slot empty.
void TractorJob::printFirstRow(bool& datePlaced)
{
    const float x = float(m_pos.LabelX);
    const float y = float(m_pos.LabelY + FirstRow);
    // Each value ends where the next column starts; the last one at the rule's end.
    const float ruleEnd = float(PageWidth - m_pos.LabelX);
    if (!boxtext::isBlank(m_label.registration.value)) {
        datePlaced = false;
        printLine(x, y, m_label.registration, x + 2400);
    } else if (!boxtext::isBlank(m_label.date)) {
        printDate(x, y, x + 2400);
        datePlaced = true;
    }
    if (!boxtext::isBlank(m_label.make.value))
        printLine(x + 2400, y, m_label.make, x + 6000);
    if (!boxtext::isBlank(m_label.serial.value))
        printLine(x + 6000, y, m_label.serial, ruleEnd);
}

void TractorJob::printSecondRowAndRule(bool datePlaced)
{
    const float x = float(m_pos.LabelX);
    const float right = float(PageWidth - m_pos.LabelX);
    const bool noSecondRow = (datePlaced || m_label.date.isEmpty()) && m_label.tach.value.isEmpty()
        && m_label.totalTime.value.isEmpty() && m_label.sinceOverhaul.value.isEmpty();
    m_pos.BodyTop = m_pos.LabelY + (noSecondRow ? LowerRuleAlone : LowerRuleBelowSecondRow);
    const float rule = float(m_pos.BodyTop);
    m_steps([&] { m_surface.Line(x, rule, right, rule, 0); });
    if (noSecondRow)
        return;

    const float y = float(m_pos.LabelY + SecondRow);
    if (!m_label.date.isEmpty() && !datePlaced)
        printDate(x, y, x + 2400);
    if (!boxtext::isBlank(m_label.tach.value))
        printLine(x + 2400, y, m_label.tach, x + 4600);
    if (!boxtext::isBlank(m_label.totalTime.value))
        printLine(x + 4600, y, m_label.totalTime, x + 6500);
    if (!boxtext::isBlank(m_label.sinceOverhaul.value))
        printLine(x + 6500, y, m_label.sinceOverhaul, right);
}

void TractorJob::printLine(float x, float y, const HeaderLine& line, float end)
{
    if (!printHeaderField(m_steps, m_surface, x, y, line.caption, line.value, end))
        m_overlong.note(line.caption);
}

void TractorJob::printDate(float x, float y, float end)
{
    if (!printDateField(m_steps, m_surface, x, y, m_label.date, end))
        m_overlong.note(QStringLiteral("Date"));
}

// "k of N" in the body font, staying on its line at the foot of the page.
void TractorJob::printPageNumber()
{
    m_steps([&] { m_surface.CurrentY(FooterY); });
    m_steps([&] { m_surface.CurrentX(float(m_pos.LabelX)); });
    const QString number = QStringLiteral("%1 of %2").arg(m_page).arg(m_pageCount);
    m_steps([&] { m_surface.Print(number, LineEnd::StayOnLine); });
}

// Body lines start at the same height on every page: when a line there would already reach
// the foot, a new page gives no room and the line stays where it is.
bool TractorJob::newPageGivesRoom()
{
    float lineHeight = 0;
    m_steps([&] { lineHeight = m_surface.TextHeight(QStringLiteral("A")); });
    return float(m_pos.BodyTop) + GapBelowRule + lineHeight <= FooterY;
}

bool TractorJob::moveOnToNextPage()
{
    if (!newPageGivesRoom())
        return false;
    ++m_page;
    m_steps([&] { m_surface.NewPage(); });
    printPageNumber();
    return true;
}

void TractorJob::printSignature()
{
    m_steps([&] { m_surface.CurrentY(FooterY); });
    m_steps([&] { m_surface.FontName(QStringLiteral("Arial")); });
    m_steps([&] { m_surface.FontSize(8); });
    m_steps([&] { m_surface.FontBold(false); });
    const float x = float(m_pos.LabelX);
    m_steps([&] { m_surface.Line(x + SignatureFrom, FooterY, float(PageWidth - m_pos.LabelX), FooterY, 0); });
    const float right = float(PageWidth - m_pos.LabelX);
    printSignOff(m_steps, m_surface, x + SignatureFrom, m_label.signatory,
                 certificateText(m_label.certificateKind, m_label.certificateNumber), right, right);
}

}  // namespace tagwright::printing
