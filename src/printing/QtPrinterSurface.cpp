#include "QtPrinterSurface.h"

#include "PrintTarget.h"
#include "PrinterError.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

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

float QtPrinterSurface::measureWidth(const QString& text)
{
    qreal widest = 0;
    for (const QString& line : lines(text))
        widest = qMax(widest, metrics().horizontalAdvance(line));
    return float(widest / unitsPerTwipX());
}

float QtPrinterSurface::linePitch()
{
    return float(metrics().lineSpacing() / unitsPerTwipY());
}

void QtPrinterSurface::beginJob()
{
    m_painter = &m_target->beginJob(pageSize());
}

void QtPrinterSurface::drawText(float x, float y, const QString& text, LineEnd)
{
    flushBoxes();
    if (text.isEmpty())
        return;
    const QFontMetricsF& measured = metrics();
    m_painter->setFont(m_measured->font);
    m_painter->setPen(Qt::black);
    qreal top = y * unitsPerTwipY();
    for (const QString& line : lines(text)) {
        m_painter->drawText(QPointF(x * unitsPerTwipX(), top + measured.ascent()), line);
        top += measured.lineSpacing();
    }
}

void QtPrinterSurface::drawLine(float x1, float y1, float x2, float y2, Colour colour)
{
    flushBoxes();
    QPen pen(qtColour(colour));
    pen.setWidth(0);  // the thinnest line the device draws
    m_painter->setPen(pen);
    m_painter->drawLine(QPointF(x1 * unitsPerTwipX(), y1 * unitsPerTwipY()),
                        QPointF(x2 * unitsPerTwipX(), y2 * unitsPerTwipY()));
}

void QtPrinterSurface::fillBox(float x, float y, float dx, float dy, Colour colour)
{
    const QRectF box(x, y, dx, dy);
    if (m_run && m_run->colour == colour && qFuzzyCompare(m_run->twips.top(), box.top())
        && qFuzzyCompare(m_run->twips.height(), box.height())
        && qAbs(m_run->twips.right() - box.left()) < 0.01) {
        m_run->twips.setRight(box.right());
        return;
    }
    flushBoxes();
    m_run = BoxRun{box, colour};
}

void QtPrinterSurface::flushBoxes()
{
    if (!m_run)
        return;
    const QRectF& twips = m_run->twips;
    m_painter->fillRect(QRectF(twips.x() * unitsPerTwipX(), twips.y() * unitsPerTwipY(),
                               twips.width() * unitsPerTwipX(), twips.height() * unitsPerTwipY()),
                        qtColour(m_run->colour));
    m_run.reset();
}

void QtPrinterSurface::newPage()
{
    flushBoxes();
    m_target->newPage(pageSize());
}

void QtPrinterSurface::endJob()
{
    flushBoxes();
    m_target->endJob();
    m_painter = nullptr;
}

void QtPrinterSurface::abortJob()
{
    m_run.reset();
    m_target->abortJob();
    m_painter = nullptr;
}

}  // namespace tagwright::printing
