#include "QtPrinterSurface.h"

#include "PrintTarget.h"
#include "PrinterError.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

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
    m_painterFontCurrent = false;
}

void QtPrinterSurface::drawText(float x, float y, const QString& text, LineEnd)
{
    flushBoxes();
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
    m_boxes.append(Box{QRectF(x, y, dx, dy), colour});
}

void QtPrinterSurface::flushBoxes()
{
    if (m_boxes.isEmpty())
        return;
    if (!drawBoxesAsPicture()) {
        for (const Box& box : std::as_const(m_boxes)) {
            const QRectF& t = box.twips;
            m_painter->fillRect(QRectF(t.x() * unitsPerTwipX(), t.y() * unitsPerTwipY(),
                                       t.width() * unitsPerTwipX(), t.height() * unitsPerTwipY()),
                                qtColour(box.colour));
        }
    }
    m_boxes.clear();
}

bool QtPrinterSurface::drawBoxesAsPicture()
{
    constexpr int MaxSide = 4096;
    const QSizeF cell = m_boxes.first().twips.size();
    if (m_boxes.size() < 2 || cell.width() <= 0 || cell.height() <= 0)
        return false;
    QPointF origin = m_boxes.first().twips.topLeft();
    QPointF far = origin;
    for (const Box& box : std::as_const(m_boxes)) {
        if (box.twips.size() != cell)
            return false;
        origin.setX(qMin(origin.x(), box.twips.x()));
        origin.setY(qMin(origin.y(), box.twips.y()));
        far.setX(qMax(far.x(), box.twips.x()));
        far.setY(qMax(far.y(), box.twips.y()));
    }
    const double columns = (far.x() - origin.x()) / cell.width() + 1;
    const double rows = (far.y() - origin.y()) / cell.height() + 1;
    if (columns > MaxSide || rows > MaxSide)
        return false;
    QImage picture(int(std::lround(columns)), int(std::lround(rows)), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (const Box& box : std::as_const(m_boxes)) {
        const double column = (box.twips.x() - origin.x()) / cell.width();
        const double row = (box.twips.y() - origin.y()) / cell.height();
        if (qAbs(column - std::lround(column)) > 1e-3 || qAbs(row - std::lround(row)) > 1e-3)
            return false;
        picture.setPixelColor(int(std::lround(column)), int(std::lround(row)), qtColour(box.colour));
    }
    const QRectF target(origin.x() * unitsPerTwipX(), origin.y() * unitsPerTwipY(),
                        picture.width() * cell.width() * unitsPerTwipX(),
                        picture.height() * cell.height() * unitsPerTwipY());
    m_painter->save();
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter->drawImage(target, sharedPicture(picture));
    m_painter->restore();
    return true;
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
    m_boxes.clear();
    m_target->abortJob();
    m_painter = nullptr;
}

}  // namespace tagwright::printing
