#include "ValueRoom.h"

#include "LabelPrinter.h"
#include "PrinterError.h"
#include "PrinterSurface.h"

namespace tagwright::printing {

namespace {

// Composes without drawing: every measurement is made on another surface, in the font this
// one is set to.
class MeasuringSurface : public PrinterSurface {
public:
    explicit MeasuringSurface(PrinterSurface& measuredOn)
        : m_measuredOn(measuredOn), m_fontBefore(measuredOn.font())
    {
    }
    ~MeasuringSurface() override
    {
        try {
            setOn(m_measuredOn, m_fontBefore);
        } catch (const PrinterError&) {
            // The font was in force there before, so the surface takes it back.
        }
    }

    float TwipsPerPixelX() const override { return m_measuredOn.TwipsPerPixelX(); }
    float TwipsPerPixelY() const override { return m_measuredOn.TwipsPerPixelY(); }

protected:
    // A font the other surface refuses raises its error 380 here too.
    void checkFont(const FontState& font) override { setOn(m_measuredOn, font); }
    float measureWidth(const QString& text) override
    {
        setOn(m_measuredOn, font());
        return m_measuredOn.TextWidth(text);
    }
    float linePitch() override
    {
        setOn(m_measuredOn, font());
        return m_measuredOn.TextHeight(QStringLiteral("A"));
    }
    void beginJob() override {}
    void drawText(float, float, const QString&, LineEnd) override {}
    void drawLine(float, float, float, float, Colour) override {}
    void fillBox(float, float, float, float, Colour) override {}
    void pageSizeChanged(float, float) override {}
    void newPage() override {}
    void endJob() override {}
    void abortJob() override {}

private:
    static void setOn(PrinterSurface& surface, const FontState& font)
    {
        surface.FontName(font.name);
        surface.FontSize(font.size);
        surface.FontBold(font.bold);
        surface.FontItalic(font.italic);
    }

    PrinterSurface& m_measuredOn;
    FontState m_fontBefore;
};

}  // namespace

QStringList overlongValues(PrinterSurface& surface, const PrintRequest& request)
{
    MeasuringSurface measuring(surface);
    LabelPrinter printer;
    return printer.PrintLabels(measuring, request).overlong;
}

QString overlongMessage(const QStringList& captions)
{
    if (captions.isEmpty())
        return {};
    if (captions.size() == 1)
        return QStringLiteral("The %1 value is too long to print in its place.").arg(captions.first());
    QStringList named = captions;
    const QString last = named.takeLast();
    return QStringLiteral("The %1 and %2 values are too long to print in their places.")
        .arg(named.join(QStringLiteral(", ")), last);
}

}  // namespace tagwright::printing
