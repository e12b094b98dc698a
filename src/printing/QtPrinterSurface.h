#pragma once

#include "PrinterSurface.h"

#include <QFont>
#include <QImage>
#include <QVector>
#include <QFontMetricsF>
#include <QRectF>

#include <optional>

class QPainter;

namespace tagwright::printing {

class PrintTarget;

// The printer surface on a Qt paint device (a system printer or a PDF file). Twips are
// turned into device units here and nowhere else. Windows font names map to their
// metric-compatible Liberation families; any other name the font database lacks raises 380.
class QtPrinterSurface : public PrinterSurface {
public:
    // The target must outlive the surface, or be replaced by setTarget() between jobs.
    explicit QtPrinterSurface(PrintTarget& target);
    ~QtPrinterSurface() override;

    // A later print command may print through another target while the font stays as the
    // last job left it.
    void setTarget(PrintTarget& target);

    float TwipsPerPixelX() const override { return m_twipsPerPixelX; }
    float TwipsPerPixelY() const override { return m_twipsPerPixelY; }
    // The display's pixel size in twips (15 on a 96 dpi display).
    void setTwipsPerPixel(float x, float y);

    // The installed family a font name prints in, or an empty text when there is none.
    static QString installedFamily(const QString& name);

protected:
    void checkFont(const FontState& font) override;
    float measureWidth(const QString& text) override;
    float linePitch() override;
    void beginJob() override;
    void drawText(float x, float y, const QString& text, LineEnd end) override;
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) override;
    void fillBox(float x, float y, float dx, float dy, Colour colour) override;
    void pageSizeChanged(float, float) override {}
    void newPage() override;
    void endJob() override;
    void abortJob() override;

private:
    QFont qtFont(const FontState& font) const;
    // Metrics of the current font on the target's device, made again when either changes.
    const QFontMetricsF& metrics();
    void flushBoxes();
    bool drawBoxesAsPicture();
    QImage sharedPicture(const QImage& picture);
    double unitsPerTwipX() const;
    double unitsPerTwipY() const;

    PrintTarget* m_target;
    QPainter* m_painter = nullptr;
    float m_twipsPerPixelX = 15;
    float m_twipsPerPixelY = 15;
    // Logo pixels come one box at a time. Boxes in a row are gathered and, as they lie on a
    // grid of equal cells, drawn as one picture of those pixels (unset cells transparent),
    // which prints the same and keeps a PDF small; a repeated logo is stored once.
    struct Box {
        QRectF twips;
        Colour colour = 0;
    };
    QVector<Box> m_boxes;
    QVector<QImage> m_pictures;

    struct MeasuredFont {
        FontState state;
        QPaintDevice* device = nullptr;
        QFont font;
        QFontMetricsF metrics;
    };
    std::optional<MeasuredFont> m_measured;
    bool m_painterFontCurrent = false;  // the painter already holds m_measured's font
};

}  // namespace tagwright::printing
