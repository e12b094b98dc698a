#include "SixUpSheet.h"

#include <QtMath>

namespace tagwright::stock {

QRectF SixUpSheet::dieCut(int cell)
{
    return QRectF(FirstLeft + column(cell) * ColumnPitch, FirstTop + row(cell) * RowPitch,
                  LabelWidth, LabelHeight);
}

QStringList SixUpSheet::productNumbers()
{
    return {QStringLiteral("5164"), QStringLiteral("5264"), QStringLiteral("5524"),
            QStringLiteral("8164"), QStringLiteral("8254"), QStringLiteral("8464")};
}

QVector<QLineF> outlineOf(const QRectF& cut)
{
    constexpr double r = SixUpSheet::CornerRadius;
    constexpr int ChordsPerCorner = 6;
    // Each corner's centre and the angle its quarter circle starts at, clockwise on the page
    // (y grows downward) from the top left corner.
    const struct {
        QPointF centre;
        double startDegrees;
    } corners[4] = {
        {{cut.left() + r, cut.top() + r}, 180},
        {{cut.right() - r, cut.top() + r}, 270},
        {{cut.right() - r, cut.bottom() - r}, 0},
        {{cut.left() + r, cut.bottom() - r}, 90},
    };
    const auto pointAt = [](const QPointF& centre, double degrees) {
        const double a = qDegreesToRadians(degrees);
        return QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    };
    QVector<QLineF> pieces;
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < ChordsPerCorner; ++k) {
            const double from = corners[i].startDegrees + 90.0 * k / ChordsPerCorner;
            const double to = corners[i].startDegrees + 90.0 * (k + 1) / ChordsPerCorner;
            pieces.append(QLineF(pointAt(corners[i].centre, from), pointAt(corners[i].centre, to)));
        }
        // The side from this corner's end to the next corner's start.
        const auto& next = corners[(i + 1) % 4];
        pieces.append(QLineF(pointAt(corners[i].centre, corners[i].startDegrees + 90),
                             pointAt(next.centre, next.startDegrees)));
    }
    return pieces;
}

}  // namespace tagwright::stock
