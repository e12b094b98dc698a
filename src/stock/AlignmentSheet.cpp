#include "AlignmentSheet.h"

#include "SixUpSheet.h"

#include "printing/JobSteps.h"
#include "printing/LabelParts.h"
#include "printing/PrinterSurface.h"

#include <QPainter>

namespace tagwright::stock {

namespace {

// Half the length of each arm of a corner's cross: 1/16 in.
constexpr double CrossArm = 90;

}  // namespace

printing::PrintResult printAlignmentSheet(printing::PrinterSurface& surface, const StockFit& fit,
                                          const printing::PrintOffsets& offsets)
{
    printing::JobSteps steps(surface);
    const auto line = [&](const QLineF& piece) {
        steps([&] {
            surface.Line(float(piece.x1()), float(piece.y1()), float(piece.x2()), float(piece.y2()), 0);
        });
    };
    return printing::runPrintJob(surface, QString(), [&] {
        for (int cell = 1; cell <= SixUpSheet::Cells; ++cell) {
            const QRectF cut = expectedDieCut(fit, offsets, cell);
            for (const QLineF& piece : outlineOf(cut))
                line(piece);
            for (const QPointF& corner : {cut.topLeft(), cut.topRight(), cut.bottomRight(), cut.bottomLeft()}) {
                line(QLineF(corner.x() - CrossArm, corner.y(), corner.x() + CrossArm, corner.y()));
                line(QLineF(corner.x(), corner.y() - CrossArm, corner.x(), corner.y() + CrossArm));
            }
        }
        steps([&] { surface.EndDoc(); });
    });
}

void drawDieCuts(QPainter& painter, const QRectF& printable, double unitsPerTwipX,
                 double unitsPerTwipY)
{
    painter.save();
    QPen pen(QColor(70, 130, 200));
    pen.setWidth(0);
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    for (int cell = 1; cell <= SixUpSheet::Cells; ++cell) {
        const QRectF cut = SixUpSheet::dieCut(cell).translated(-printable.topLeft());
        for (const QLineF& piece : outlineOf(cut)) {
            painter.drawLine(QLineF(piece.x1() * unitsPerTwipX, piece.y1() * unitsPerTwipY,
                                    piece.x2() * unitsPerTwipX, piece.y2() * unitsPerTwipY));
        }
    }
    painter.restore();
}

}  // namespace tagwright::stock
