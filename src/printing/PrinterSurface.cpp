#include "PrinterSurface.h"

#include "PrinterError.h"

#include <cmath>

namespace tagwright::printing {

namespace {

// The largest size a printer font may be given, in points.
constexpr float MaxFontSize = 2160.0f;

}  // namespace

void PrinterSurface::setFont(const FontState& font)
{
    checkFont(font);
    m_font = font;
}

void PrinterSurface::FontName(const QString& name)
{
    FontState font = m_font;
    font.name = name;
    setFont(font);
}

void PrinterSurface::FontSize(float points)
{
    if (!(points > 0 && points <= MaxFontSize))
        throw PrinterError(InvalidPropertyValue, QStringLiteral("Invalid property value"));
    FontState font = m_font;
    font.size = points;
    setFont(font);
}

void PrinterSurface::FontBold(bool bold)
{
    FontState font = m_font;
    font.bold = bold;
    setFont(font);
}

void PrinterSurface::FontItalic(bool italic)
{
    FontState font = m_font;
    font.italic = italic;
    setFont(font);
}

float PrinterSurface::TextWidth(const QString& text)
{
    return measureWidth(text);
}

float PrinterSurface::TextHeight(const QString& text)
{
    const qsizetype lines = 1 + text.count(QStringLiteral("\r\n"));
    return float(lines) * linePitch();
}

void PrinterSurface::openJob()
{
    if (m_jobOpen)
        return;
    beginJob();
    m_jobOpen = true;
}

void PrinterSurface::Print(const QString& text, LineEnd end)
{
    openJob();
    drawText(m_currentX, m_currentY, text, end);
    if (end == LineEnd::EndLine) {
        m_currentY += TextHeight(text);
        m_currentX = 0;
    } else {
        m_currentX += TextWidth(text);
    }
}

void PrinterSurface::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    openJob();
    drawLine(x1, y1, x2, y2, colour);
    m_currentX = x2;
    m_currentY = y2;
}

void PrinterSurface::FilledBox(float x, float y, float dx, float dy, Colour colour)
{
    openJob();
    fillBox(x, y, dx, dy, colour);
    m_currentX = x + dx;
    m_currentY = y + dy;
}

void PrinterSurface::Picture(float x, float y, const QImage& pixels)
{
    const QImage argb = pixels.convertToFormat(QImage::Format_ARGB32);
    // The last pixel that prints, in the order the boxes would be drawn: rows from the top.
    qsizetype last = -1;
    for (int row = argb.height() - 1; row >= 0 && last < 0; --row) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(row));
        for (int column = argb.width() - 1; column >= 0; --column) {
            if (qAlpha(line[column]) != 0) {
                last = qsizetype(row) * argb.width() + column;
                break;
            }
        }
    }
    if (last < 0)
        return;
    openJob();
    const float px = TwipsPerPixelX();
    const float py = TwipsPerPixelY();
    drawPicture(QRectF(x, y, argb.width() * px, argb.height() * py), argb);
    m_currentX = x + float(last % argb.width() + 1) * px;
    m_currentY = y + float(last / argb.width() + 1) * py;
}

void PrinterSurface::drawPicture(const QRectF& twips, const QImage& pixels)
{
    const float px = float(twips.width()) / float(pixels.width());
    const float py = float(twips.height()) / float(pixels.height());
    for (int row = 0; row < pixels.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(row));
        for (int column = 0; column < pixels.width(); ++column) {
            if (qAlpha(line[column]) != 0) {
                const QRgb rgb = line[column];
                fillBox(float(twips.x()) + float(column) * px, float(twips.y()) + float(row) * py, px, py,
                        Colour(qRed(rgb)) | Colour(qGreen(rgb)) << 8 | Colour(qBlue(rgb)) << 16);
            }
        }
    }
}

void PrinterSurface::PageSize(float widthTwips, float heightTwips)
{
    if (!(widthTwips > 0 && heightTwips > 0 && std::isfinite(widthTwips)
          && std::isfinite(heightTwips)))
        throw PrinterError(InvalidPropertyValue, QStringLiteral("Invalid property value"));
    pageSizeChanged(widthTwips, heightTwips);
    m_pageSize = QSizeF(widthTwips, heightTwips);
}

void PrinterSurface::NewPage()
{
    // A page break with nothing printed yet still starts the job: the blank first page is
    // what the caller asked for.
    openJob();
    newPage();
    m_currentX = 0;
    m_currentY = 0;
}

void PrinterSurface::EndDoc()
{
    if (m_jobOpen) {
        endJob();
        m_jobOpen = false;
        ++m_jobsSent;
    }
    m_currentX = 0;
    m_currentY = 0;
}

void PrinterSurface::KillDoc()
{
    if (m_jobOpen) {
        m_jobOpen = false;
        abortJob();
    }
    m_currentX = 0;
    m_currentY = 0;
}

}  // namespace tagwright::printing
