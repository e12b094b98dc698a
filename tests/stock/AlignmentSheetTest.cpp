#include "stock/AlignmentSheet.h"
#include "stock/SixUpSheet.h"

#include "printing/RecordingSurface.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tagwright;
using printing::RecordedOp;
using stock::SixUpSheet;

TEST(AlignmentSheet, outlinesEachDieCutWhereTheLabelsAtTheAdjustmentsExpectItWithCornerCrosses)
{
    const stock::StockFit fit = stock::fitToStock(QRectF(QPointF(360, 360), QPointF(11880, 15480)));
    printing::PrintOffsets offsets = fit.offsets;
    offsets.topRow -= 60;  // the shop moved the top row 60 twips up
    printing::RecordingSurface surface;
    ASSERT_TRUE(stock::printAlignmentSheet(surface, fit, offsets).printed());

    QRectF expected[6];
    for (int cell = 1; cell <= 6; ++cell)
        expected[cell - 1] = SixUpSheet::dieCut(cell).translated(-360, cell <= 2 ? -420 : -360);
    // Cross arms are 1/8 in long and centred on a corner; every other line outlines the
    // die-cut it lies in.
    QRectF outlines[6];
    QVector<QLineF> arms;
    for (const RecordedOp& op : surface.ops()) {
        if (op.kind != RecordedOp::Kind::Line)
            continue;
        const QLineF line(op.x, op.y, op.x2, op.y2);
        if (qAbs(line.length() - 180) < 0.01 && (line.dx() == 0 || line.dy() == 0))
            arms.append(line);
        for (int k = 0; k < 6; ++k) {
            const QRectF& cut = expected[k];
            const QRectF around = cut.adjusted(-0.01, -0.01, 0.01, 0.01);
            if (around.contains(line.p1()) && around.contains(line.p2())) {
                const QRectF piece = QRectF(line.p1(), line.p2()).normalized();
                outlines[k] = outlines[k].isNull() ? piece : outlines[k].united(piece);
            }
        }
    }
    for (int cell = 1; cell <= 6; ++cell) {
        SCOPED_TRACE(cell);
        const QRectF& drawn = outlines[cell - 1];
        EXPECT_NEAR(drawn.left(), expected[cell - 1].left(), 0.01);
        EXPECT_NEAR(drawn.top(), expected[cell - 1].top(), 0.01);
        EXPECT_NEAR(drawn.right(), expected[cell - 1].right(), 0.01);
        EXPECT_NEAR(drawn.bottom(), expected[cell - 1].bottom(), 0.01);
        const QRectF& cut = expected[cell - 1];
        for (const QPointF& corner : {cut.topLeft(), cut.topRight(), cut.bottomLeft(), cut.bottomRight()}) {
            const auto crossing = [&](bool across) {
                return std::any_of(arms.begin(), arms.end(), [&](const QLineF& arm) {
                    return QLineF(arm.center(), corner).length() < 0.01 && (arm.dy() == 0) == across;
                });
            };
            EXPECT_TRUE(crossing(true) && crossing(false)) << corner.x() << "," << corner.y();
        }
    }
    EXPECT_TRUE(surface.textOps().isEmpty());
    EXPECT_EQ(surface.ops().last().kind, RecordedOp::Kind::EndDoc);
}
