#include "QtPrinterSurface.h"

#include "PrintTarget.h"
#include "PrinterError.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tagwright::printing {

namespace {

constexpr double TwipsPerInch = 1440;

QColor qtColour(Colour colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QStringList lines(const QString& text)
{
    return text.split(QStringLiteral("\r\n"));
}

// Whether a text layout gives the line exactly as QPainter::drawText() draws it: controls
// (a lone line feed, a tab) are treated differently by the two.
bool laysOutAsOneLine(const QString& line)
{
    return std::none_of(line.cbegin(), line.cend(), [](QChar c) {
        return c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    });
}

}  // namespace

QtPrinterSurface::QtPrinterSurface(PrintTarget& target) : m_target(&target)
{
    checkFont(font());
}

QtPrinterSurface::~QtPrinterSurface() = default;

void QtPrinterSurface::setTarget(PrintTarget& target)
{
    if (jobOpen())
        KillDoc();
    m_target = &target;
    m_texts.clear();
}

void QtPrinterSurface::setTwipsPerPixel(float x, float y)
{
    m_twipsPerPixelX = x;
    m_twipsPerPixelY = y;
}

QString QtPrinterSurface::installedFamily(const QString& name)
{
    // Labels were designed with the Windows core fonts; Liberation has their metrics, so a
    // line wraps where it always did.
    static const struct {
        const char* windows;
        const char* installed;
    } metricTwins[] = {
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& twin : metricTwins) {
        if (name.compare(QLatin1String(twin.windows), Qt::CaseInsensitive) == 0)
            return QLatin1String(twin.installed);
    }
    return QFontDatabase::hasFamily(name) ? name : QString();
}

QFont QtPrinterSurface::qtFont(const FontState& state) const
{
    QFont font(installedFamily(state.name));
    font.setPointSizeF(state.size);
    font.setBold(state.bold);
    font.setItalic(state.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QFontMetricsF& QtPrinterSurface::metrics()
{
    const FontState& state = font();
    QPaintDevice* device = m_target->device();
    if (!m_measured || m_measured->device != device || m_measured->state.name != state.name
        || m_measured->state.size != state.size || m_measured->state.bold != state.bold
        || m_measured->state.italic != state.italic) {
        const QFont qfont = qtFont(state);
        m_measured.emplace(MeasuredFont{state, device, qfont, QFontMetricsF(qfont, device)});
        m_painterFontCurrent = false;
    }
    return m_measured->metrics;
}

void QtPrinterSurface::checkFont(const FontState& state)
{
    if (installedFamily(state.name).isEmpty())
        throw PrinterError(InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

double QtPrinterSurface::unitsPerTwipX() const
{
    return m_target->device()->logicalDpiX() / TwipsPerInch;
}

double QtPrinterSurface::unitsPerTwipY() const
{
    return m_target->device()->logicalDpiY() / TwipsPerInch;
}

QtPrinterSurface::TextsInFont& QtPrinterSurface::textsInFont()
{
    // A long body without a break is measured in many different pieces: past this many, a
    // font's texts are forgotten and measured afresh.
    constexpr qsizetype MaxTexts = 4096;
    auto known = std::find_if(m_texts.begin(), m_texts.end(),
                              [&](const TextsInFont& texts) { return texts.font == font(); });
    if (known == m_texts.end())
        return m_texts.emplace_back(TextsInFont{font(), {}, {}});
    if (known->widths.size() >= MaxTexts)
        known->widths.clear();
    if (known->runs.size() >= MaxTexts)
        known->runs.clear();
    return *known;
}

float QtPrinterSurface::measureWidth(const QString& text)
{
    TextsInFont& texts = textsInFont();
    if (const auto known = texts.widths.constFind(text); known != texts.widths.cend())
        return *known;
    qreal widest = 0;
    for (const QString& line : lines(text))
        widest = qMax(widest, metrics().horizontalAdvance(line));
    const float width = float(widest / unitsPerTwipX());
    texts.widths.insert(text, width);
    return width;
}

// The glyphs of a line as QPainter::drawText() would place them, shaped once per font.
const QList<QGlyphRun>& QtPrinterSurface::shaped(const QString& line)
{
    TextsInFont& texts = textsInFont();
    if (const auto known = texts.runs.constFind(line); known != texts.runs.cend())
        return *known;
    QTextLayout layout(line, m_measured->font, m_target->device());
    layout.beginLayout();
    const QTextLine laidOut = layout.createLine();
    layout.endLayout();
    QList<QGlyphRun> runs = laidOut.glyphRuns();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position.ry() -= laidOut.ascent();
        run.setPositions(positions);
    }
    return *texts.runs.insert(line, runs);
}

float QtPrinterSurface::linePitch()
{
    return float(metrics().lineSpacing() / unitsPerTwipY());
}

void QtPrinterSurface::beginJob()
{
    m_painter = &m_target->beginJob(pageSize());
    m_painterFontCurrent = false;
    // Qt's PDF engine (PDF files, and the print service's jobs) writes glyph runs exactly as
    // it writes text. Others need not: a print preview's recorder keeps them as outlines.
    m_drawsGlyphRuns = m_painter->paintEngine() && m_painter->paintEngine()->type() == QPaintEngine::Pdf;
}

void QtPrinterSurface::drawText(float x, float y, const QString& text, LineEnd)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF& measured = metrics();
    if (!m_painterFontCurrent) {
        m_painter->setFont(m_measured->font);
        m_painterFontCurrent = true;
    }
    m_painter->setPen(Qt::black);
    qreal top = y * unitsPerTwipY();
    for (const QString& line : lines(text)) {
        const QPointF baseline(x * unitsPerTwipX(), top + measured.ascent());
        if (m_drawsGlyphRuns && laysOutAsOneLine(line)) {
            for (const QGlyphRun& run : shaped(line))
                m_painter->drawGlyphRun(baseline, run);
        } else {
            m_painter->drawText(baseline, line);
        }
        top += measured.lineSpacing();
    }
}

void QtPrinterSurface::drawLine(float x1, float y1, float x2, float y2, Colour colour)
{
    QPen pen(qtColour(colour));
    pen.setWidth(0);  // the thinnest line the device draws
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(x1 * unitsPerTwipX(), y1 * unitsPerTwipY()),
                        QPointF(x2 * unitsPerTwipX(), y2 * unitsPerTwipY()));
}

void QtPrinterSurface::fillBox(float x, float y, float dx, float dy, Colour colour)
{
    m_painter->fillRect(QRectF(x * unitsPerTwipX(), y * unitsPerTwipY(), dx * unitsPerTwipX(), dy * unitsPerTwipY()),
                        qtColour(colour));
}

void QtPrinterSurface::drawPicture(const QRectF& twips, const QImage& pixels)
{
    const QRectF target(twips.x() * unitsPerTwipX(), twips.y() * unitsPerTwipY(),
                        twips.width() * unitsPerTwipX(), twips.height() * unitsPerTwipY());
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->drawImage(target, sharedPicture(pixels));
    m_painter->restore();
}

// The same pixels drawn again (the logo of the next label) reuse the first picture, which
// the PDF writer then stores once.
QImage QtPrinterSurface::sharedPicture(const QImage& picture)
{
    for (const QImage& known : std::as_const(m_pictures)) {
        if (known == picture)
            return known;
    }
    m_pictures.append(picture);
    return picture;
}

void QtPrinterSurface::newPage()
{
    m_target->newPage(pageSize());
}

void QtPrinterSurface::endJob()
{
    m_target->endJob();
    m_painter = nullptr;
}

void QtPrinterSurface::abortJob()
{
    m_target->abortJob();
    m_painter = nullptr;
}

}  // namespace tagwright::printing
