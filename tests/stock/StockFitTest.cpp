#include "stock/SixUpSheet.h"
#include "stock/StockFit.h"

#include "printing/SheetLayout.h"

#include <gtest/gtest.h>

using namespace tagwright;
using stock::SixUpSheet;

namespace {

struct FitCase {
    const char* name;
    QRectF printable;  // twips on the sheet
    std::array<int, 5> offsets;  // top, middle, bottom row, left, right column
};

// A printer's printable area from its margins in points: left, top, right, bottom.
QRectF inside(double left, double top, double right, double bottom)
{
    return QRectF(QPointF(left * 20, top * 20),
                  QPointF(SixUpSheet::PaperWidth - right * 20, SixUpSheet::PaperHeight - bottom * 20));
}

// Where the label of `cell` lies on the sheet at `offsets`, printed with `printable`'s
// corner as the origin: the rules' span across, an ordinary label's height down.
QRectF labelOnSheet(const QRectF& printable, const printing::PrintOffsets& offsets, int cell)
{
    namespace sheet = printing::sheet;
    const double x = (SixUpSheet::column(cell) == 0 ? sheet::LeftColumnX : sheet::RightColumnX)
        + stock::columnOffset(offsets, cell);
    const double y = sheet::RowY[SixUpSheet::row(cell)] + stock::rowOffset(offsets, cell);
    return QRectF(printable.left() + x, printable.top() + y, sheet::RuleWidth,
                  stock::ordinaryLabelHeight());
}

}  // namespace

TEST(StockFit, fitsForAPdfAndForPrintersWithEvenAndUnevenMargins)
{
    const FitCase cases[] = {
        // The whole sheet: each label centred in its die-cut.
        {"PDF at actual size", stock::wholeSheet(), {822, 872, 922, 255, 335}},
        // A quarter inch all round cuts 2.75 pt off the outer side of each column's
        // die-cuts: the labels move in just far enough.
        {"0.25 in margins", inside(18, 18, 18, 18), {462, 512, 562, -50, -80}},
        // 12 pt left, 9 pt top, 18 pt right, 54 pt at the foot: the bottom row moves up.
        {"uneven margins", inside(12, 9, 18, 54), {642, 692, 684, 15, 40}},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        const stock::StockFit fit = stock::fitToStock(c.printable);
        EXPECT_EQ(stock::offsetTexts(fit.offsets),
                  (std::array<QString, 5>{QString::number(c.offsets[0]), QString::number(c.offsets[1]),
                                          QString::number(c.offsets[2]), QString::number(c.offsets[3]),
                                          QString::number(c.offsets[4])}));
        for (int cell = 1; cell <= SixUpSheet::Cells; ++cell) {
            const QRectF label = labelOnSheet(c.printable, fit.offsets, cell);
            EXPECT_TRUE(SixUpSheet::dieCut(cell).contains(label)) << "cell " << cell;
            EXPECT_TRUE(c.printable.contains(label)) << "cell " << cell;
        }
    }
}
