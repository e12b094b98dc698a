#include "stock/SixUpSheet.h"
#include "stock/StockFit.h"

#include "printing/LabelPrinter.h"
#include "printing/PrintTarget.h"
#include "printing/QtPrinterSurface.h"
#include "store/ShopRecord.h"
#include "store/SignatoryStore.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <set>

using namespace tagwright;
using stock::SixUpSheet;

namespace {

constexpr int Dpi = 144;  // two pixels a point
constexpr double TwipsPerPixel = 1440.0 / Dpi;

// A US Letter sheet as an image, printed on from `printable`'s corner (twips): the whole
// sheet as a PDF printed at actual size, or a printer's printable area. One sheet: a second
// job would paint over the first.
class SheetImage : public printing::PrintTarget {
public:
    explicit SheetImage(const QRectF& printable)
        : image(int(8.5 * Dpi), 11 * Dpi, QImage::Format_RGB32), origin(printable.topLeft() / TwipsPerPixel)
    {
        image.setDotsPerMeterX(int(Dpi / 0.0254));
        image.setDotsPerMeterY(int(Dpi / 0.0254));
        image.fill(Qt::white);
    }
    QPaintDevice* device() override { return &image; }
    QPainter& beginJob(const std::optional<QSizeF>&) override
    {
        EXPECT_FALSE(painter.isActive() || used) << "a second sheet";
        used = true;
        painter.begin(&image);
        painter.translate(origin);
        return painter;
    }
    void newPage(const std::optional<QSizeF>&) override { ADD_FAILURE() << "a second page"; }
    void endJob() override { painter.end(); }
    void abortJob() override { painter.end(); }

    QImage image;
    QPointF origin;   // pixels
    QPainter painter;
    bool used = false;
};

// Every dark pixel must lie in a die-cut at least `points` from its edges; returns the
// cells that hold ink, or nothing at the first pixel that does not.
std::optional<std::set<int>> inkedCells(const QImage& sheet, double points)
{
    std::set<int> inked;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(sheet.pixel(x, y)) >= 128)
                continue;
            const QRectF pixel(x * TwipsPerPixel, y * TwipsPerPixel, TwipsPerPixel, TwipsPerPixel);
            int cell = SixUpSheet::Cells;
            const double clear = points * 20;
            while (cell > 0 && !SixUpSheet::dieCut(cell).adjusted(clear, clear, -clear, -clear).contains(pixel))
                --cell;
            if (cell == 0) {
                ADD_FAILURE() << "ink at " << x / 2.0 << ", " << y / 2.0 << " pt";
                return std::nullopt;
            }
            inked.insert(cell);
        }
    }
    return inked;
}

// Who signs, and the shop's station number.
struct SignOff {
    QString name = QStringLiteral("J. R. Mitchell");
    QString kind;
    QString number;
    QString station;
};

// Six labels of the values a shop types, an 11-line body in the default body font, on a
// sheet fitted to `printable`.
printing::PrintRequest sixLabels(const QStringList& values, const SignOff& signOff, const QRectF& printable)
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
    label.body = body.join(QStringLiteral("\r\n"));
    label.printsCompany = true;
    label.company = {QStringLiteral("Skyline Aero Services"), QStringLiteral("1200 Hangar Road"),
                     QStringLiteral("Wichita, KS 67209"), QStringLiteral("316-555-0142"), signOff.station};
    label.printsSignature = true;
    label.signatory = signOff.name;
    label.certificateKind = signOff.kind;
    label.certificateNumber = signOff.number;
    request.sheet.copies = 6;
    request.sheet.used = {};
    request.sheet.offsets = stock::fitToStock(printable).offsets;
    return request;
}

}  // namespace

TEST(LabelsInDieCuts, fittedLabelsKeepTheirInkInsideTheDieCuts)
{
    const QStringList ordinary{"N5217K", "C172S", "172S10458", "3890.2", "4123.6", "1234.5"};
    // As long as the profile takes each, in the widest capitals.
    const SignOff longest{QString(store::SignatoryNameLength, u'W'), QString(store::CertificateKindLength, u'W'),
                          QString(store::CertificateNumberLength, u'W'), QString(store::RepairStationLength, u'W')};
    const struct {
        const char* name;
        QStringList values;
        SignOff signOff;
        double clearance;  // points
    } cases[] = {
        {"ordinary values", ordinary, {}, 2},
        {"the longest values the window takes",
         {"C-GKWZM", "Piper PA-46R-350T Matrix Turbo", "46-92222013XY", "12345.67", "23456.78", "34567.89"}, {}, 1},
        {"a certificate and station number", ordinary, {"J. R. Mitchell", "A&P/IA", "2468135", "NWAR123K"}, 2},
        {"the longest name, kind, number and station", ordinary, longest, 1},
    };
    // A PDF file, and a printer that cannot print the outer quarter inch: it moves the left
    // column's labels right, to within a point and a quarter of their die-cut's right edge.
    const struct {
        const char* name;
        QRectF printable;
        double mostClearance;   // points
    } fits[] = {{"PDF", stock::wholeSheet(), 2},
                {"printer", stock::wholeSheet().adjusted(360, 360, -360, -360), 0.5}};
    for (const auto& fit : fits) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name + std::string(", ") + fit.name);
            const QRectF& printable = fit.printable;
            SheetImage sheet(printable);
            printing::QtPrinterSurface surface(sheet);
            const printing::PrintResult result =
                printing::LabelPrinter().PrintLabels(surface, sixLabels(c.values, c.signOff, printable));
            ASSERT_TRUE(result.printed()) << result.message.toStdString();
            EXPECT_TRUE(result.overlong.isEmpty());
            EXPECT_EQ(inkedCells(sheet.image, std::min(c.clearance, fit.mostClearance)),
                      (std::set<int>{1, 2, 3, 4, 5, 6}));
        }
    }
}
