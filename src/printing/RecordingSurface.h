#pragma once

#include "PrinterSurface.h"

#include <QStringList>
#include <QVector>

namespace tagwright::printing {

// One surface call as the recording surface keeps it.
struct RecordedOp {
    enum class Kind { Text, Line, Box, PageSize, NewPage, EndDoc };

    Kind kind = Kind::Text;
    float x = 0;       // Text, Box: position; Line: start
    float y = 0;
    float x2 = 0;      // Line: end
    float y2 = 0;
    float width = 0;   // Box: size; PageSize: page size
    float height = 0;
    QString text;      // Text
    FontState font;    // Text: the font in force
    bool endsLine = false;
    Colour colour = 0;

    // One JSON object, keys in a fixed order: scripts compare traces line by line.
    QString toJson() const;
};

// Records every drawing call with fixed, font-independent metrics, so that a trace and the
// tests' expected positions do not depend on the fonts installed:
//   TextWidth = 10 x FontSize x characters; TextHeight = 24 x FontSize per line;
//   15 twips per display pixel; "Arial" 8 regular at start.
class RecordingSurface : public PrinterSurface {
public:
    static QStringList defaultFonts();

    // Font names (letter case ignored) the surface takes; "Arial" is always taken, any
    // other name raises error 380.
    explicit RecordingSurface(const QStringList& acceptedFonts = defaultFonts());

    float TwipsPerPixelX() const override { return 15.0f; }
    float TwipsPerPixelY() const override { return 15.0f; }

    const QVector<RecordedOp>& ops() const { return m_ops; }
    QVector<RecordedOp> textOps() const;
    // The trace: one JSON line per recorded call.
    QString traceLines() const;

protected:
    void checkFont(const FontState& font) override;
    float measureWidth(const QString& text) override;
    float linePitch() override;
    void beginJob() override {}
    void drawText(float x, float y, const QString& text, LineEnd end) override;
    void drawLine(float x1, float y1, float x2, float y2, Colour colour) override;
    void fillBox(float x, float y, float dx, float dy, Colour colour) override;
    void pageSizeChanged(float widthTwips, float heightTwips) override;
    void newPage() override;
    void endJob() override;
    void abortJob() override {}

    QVector<RecordedOp> m_ops;

private:
    QStringList m_acceptedFonts;
};

}  // namespace tagwright::printing
