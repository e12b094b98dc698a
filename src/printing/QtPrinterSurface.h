#pragma once

#include "PrinterSurface.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QVector>
#include <QFontMetricsF>
#include <QRectF>

#include <optional>
#include <vector>

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

    bool drawsPictures() const override { return true; }
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
    void drawPicture(const QRectF& twips, const QImage& pixels) override;
    void pageSizeChanged(float, float) override {}
    void newPage() override;
    void endJob() override;
    void abortJob() override;

private:
    QFont qtFont(const FontState& font) const;
    // Metrics of the current font on the target's device, made again when either changes.
    const QFontMetricsF& metrics();
    QImage sharedPicture(const QImage& picture);
    double unitsPerTwipX() const;
    double unitsPerTwipY() const;

    PrintTarget* m_target;
    QPainter* m_painter = nullptr;
    float m_twipsPerPixelX = 15;
    float m_twipsPerPixelY = 15;
    // The pictures drawn so far: a repeated logo is drawn from the same image, which a PDF
    // then holds once.
    QVector<QImage> m_pictures;

    struct MeasuredFont {
        FontState state;
        QPaintDevice* device = nullptr;
        QFont font;
        QFontMetricsF metrics;
    };
    std::optional<MeasuredFont> m_measured;
    // What is known of the texts printed in each font: every copy prints the same company
    // lines, captions, values and body lines, so each is measured and shaped once. Kept for
    // the target's device only.
    struct TextsInFont {
        FontState font;
        QHash<QString, float> widths;           // twips
        QHash<QString, QList<QGlyphRun>> runs;  // device units from the left end of the baseline
    };
    std::vector<TextsInFont> m_texts;
    TextsInFont& textsInFont();
    const QList<QGlyphRun>& shaped(const QString& line);
    bool m_painterFontCurrent = false;  // the painter already holds m_measured's font
    bool m_drawsGlyphRuns = false;      // the job's device takes shaped text as it takes text
};

}  // namespace tagwright::printing
