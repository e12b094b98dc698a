#include "stock/SixUpSheet.h"
#include "stock/StockFit.h"

#include "printing/LabelPrinter.h"
#include "printing/PrintTarget.h"
#include "printing/QtPrinterSurface.h"

#include <QImage>
#include <QPainter>

#include <set>

#include <gtest/gtest.h>

using namespace tagwright;
using stock::SixUpSheet;

namespace {

constexpr int Dpi = 144;  // two pixels a point
constexpr double PixelsPerTwip = Dpi / 1440.0;

// A US Letter sheet as an image, printable to its edges as a PDF printed at actual size is.
class SheetImage : public printing::PrintTarget {
public:
    SheetImage() : image(int(8.5 * Dpi), 11 * Dpi, QImage::Format_RGB32)
    {
        image.setDotsPerMeterX(int(Dpi / 0.0254));
        image.setDotsPerMeterY(int(Dpi / 0.0254));
        image.fill(Qt::white);
    }
    QPaintDevice* device() override { return &image; }
    QPainter& beginJob(const std::optional<QSizeF>&) override
    {
        if (!painter.isActive())
            painter.begin(&image);
        return painter;
    }
    void newPage(const std::optional<QSizeF>&) override { ADD_FAILURE() << "a second sheet"; }
    void endJob() override { painter.end(); }
    void abortJob() override { painter.end(); }

    QImage image;
    QPainter painter;
};

// A die-cut less `points` on each side, in twips.
QRectF keepClear(int cell, double points)
{
    const double margin = points * 20;
    return SixUpSheet::dieCut(cell).adjusted(margin, margin, -margin, -margin);
}

// Dark pixels that lie outside every die-cut less `points`, and the cells that hold ink.
struct InkCheck {
    int stray = 0;
    QPoint firstStray;
    std::set<int> inkedCells;
};

InkCheck checkInk(const QImage& sheet, double points)
{
    InkCheck check;
    for (int y = 0; y < sheet.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(row[x]) >= 128)
                continue;
            const QRectF pixel(x / PixelsPerTwip, y / PixelsPerTwip, 1 / PixelsPerTwip, 1 / PixelsPerTwip);
            int inside = 0;
            for (int cell = 1; cell <= SixUpSheet::Cells && !inside; ++cell)
                inside = keepClear(cell, points).contains(pixel) ? cell : 0;
            if (inside) {
                check.inkedCells.insert(inside);
            } else if (check.stray++ == 0) {
                check.firstStray = QPoint(x, y);
            }
        }
    }
    return check;
}

// Six labels of the values a shop types, on a sheet fitted for PDF files.
printing::PrintRequest sixLabels(const QStringList& values)
{
    printing::PrintRequest request;
    printing::LabelContent& label = request.label;
    const char* const captions[6] = {"Reg #", "Make", "Serial", "Tach", "T.T.", "SMOH"};
    for (printing::HeaderSlot slot : printing::AllHeaderSlots)
        label.line(slot) = {QLatin1String(captions[int(slot)]), values[int(slot)]};
    label.date = QStringLiteral("03-14-2026");
    QStringList body;
    for (int line = 1; line <= 11; ++line)
        body << QStringLiteral("%1. Serviced per the service manual.").arg(line);
    label.body = body.join(QStringLiteral("\r\n"));  // the default body font: 8.25 points
    label.printsCompany = true;
    label.company = {QStringLiteral("Skyline Aero Services"), QStringLiteral("1200 Hangar Road"),
                     QStringLiteral("Wichita, KS 67209"), QStringLiteral("316-555-0142")};
    label.printsSignature = true;
    label.signatory = QStringLiteral("J. R. Mitchell");
    request.sheet.copies = 6;
    request.sheet.used = {};
    request.sheet.offsets = stock::fitToStock(stock::wholeSheet()).offsets;
    return request;
}

}  // namespace

TEST(LabelsInDieCuts, fittedLabelsKeepTheirInkInsideTheDieCuts)
{
    const struct {
        const char* name;
        QStringList values;
        double clearance;  // points
    } cases[] = {
        {"ordinary values",
         {"N5217K", "C172S", "172S10458", "3890.2", "4123.6", "1234.5"}, 2},
        {"the longest values the window takes",
         {"C-GKWZM", "Piper PA-46R-350T Matrix Turbo", "46-92222013XY", "12345.67", "23456.78",
          "34567.89"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SheetImage sheet;
        printing::QtPrinterSurface surface(sheet);
        printing::LabelPrinter printer;
        const printing::PrintResult result = printer.PrintLabels(surface, sixLabels(c.values), false);
        ASSERT_TRUE(result.printed()) << result.message.toStdString();
        EXPECT_EQ(result.jobsSent, 1);  // six whole labels: no body ran on past the sheet
        EXPECT_TRUE(result.overlong.isEmpty());
        const InkCheck ink = checkInk(sheet.image, c.clearance);
        EXPECT_EQ(ink.stray, 0) << "first at " << ink.firstStray.x() << "," << ink.firstStray.y() << " px";
        EXPECT_EQ(ink.inkedCells.size(), 6u);
    }
}
