#include "StockFit.h"

#include "SixUpSheet.h"

#include "printing/SheetLayout.h"

#include <algorithm>
#include <cmath>

namespace tagwright::stock {

namespace sheet = printing::sheet;

namespace {

// An ordinary label, in twips from its top: the lower rule under the second header row at
// 1150, the body 30 below it, 11 body lines and one blank line of the default body font
// (10.25 points of "MS Sans Serif", printed in Liberation Sans: 236 twips a line), then the
// signature rule and the name under it in 8 point Arial (184 twips).
constexpr double LowerRule = 1150;
constexpr double GapBelowRule = 30;
constexpr int OrdinaryBodyLines = 11;
constexpr double BodyLinePitch = 236;
constexpr double SignatoryLine = 184;

// Moves `start` of a `length` into [low, high] when it does not lie there; a place too
// small keeps the start at `low`.
double keepWithin(double start, double length, double low, double high)
{
    return std::max(low, std::min(start, high - length));
}

}  // namespace

QRectF wholeSheet()
{
    return QRectF(0, 0, SixUpSheet::PaperWidth, SixUpSheet::PaperHeight);
}

double ordinaryLabelHeight()
{
    return LowerRule + GapBelowRule + (OrdinaryBodyLines + 1) * BodyLinePitch + SignatoryLine;
}

double rowOffset(const printing::PrintOffsets& offsets, int cell)
{
    const double rows[3] = {offsets.topRow, offsets.middleRow, offsets.bottomRow};
    return rows[SixUpSheet::row(cell)];
}

double columnOffset(const printing::PrintOffsets& offsets, int cell)
{
    return SixUpSheet::column(cell) == 0 ? offsets.leftColumn : offsets.rightColumn;
}

StockFit fitToStock(const QRectF& printable)
{
    StockFit fit;
    fit.printable = printable;
    const double height = ordinaryLabelHeight();
    // Cells 1 and 2 give the columns; cells 1, 3 and 5 the rows.
    double columns[2] = {};
    for (int cell : {1, 2}) {
        const QRectF cut = SixUpSheet::dieCut(cell);
        const double centred = cut.center().x() - sheet::RuleWidth / 2.0;
        const double left = keepWithin(centred, sheet::RuleWidth, printable.left(), printable.right());
        const int base = cell == 1 ? sheet::LeftColumnX : sheet::RightColumnX;
        columns[cell - 1] = double(std::lround(left - printable.left() - base));
    }
    double rows[3] = {};
    for (int row = 0; row < 3; ++row) {
        const QRectF cut = SixUpSheet::dieCut(1 + 2 * row);
        const double centred = cut.center().y() - height / 2;
        const double top = keepWithin(centred, height, printable.top(), printable.bottom());
        rows[row] = double(std::lround(top - printable.top() - sheet::RowY[row]));
    }
    fit.offsets = {rows[0], rows[1], rows[2], columns[0], columns[1]};
    return fit;
}

QRectF expectedDieCut(const StockFit& fit, const printing::PrintOffsets& offsets, int cell)
{
    const QRectF onSheet = SixUpSheet::dieCut(cell);
    return onSheet.translated(columnOffset(offsets, cell) - columnOffset(fit.offsets, cell)
                                  - fit.printable.left(),
                              rowOffset(offsets, cell) - rowOffset(fit.offsets, cell)
                                  - fit.printable.top());
}

QString describeOffsets(const printing::PrintOffsets& offsets)
{
    const std::array<QString, 5> texts = offsetTexts(offsets);
    return QStringLiteral("top row %1, middle row %2, bottom row %3, left column %4, right column %5")
        .arg(texts[0], texts[1], texts[2], texts[3], texts[4]);
}

std::array<QString, 5> offsetTexts(const printing::PrintOffsets& offsets)
{
    const auto whole = [](double twips) { return QString::number(std::lround(twips)); };
    return {whole(offsets.topRow), whole(offsets.middleRow), whole(offsets.bottomRow),
            whole(offsets.leftColumn), whole(offsets.rightColumn)};
}

}  // namespace tagwright::stock
