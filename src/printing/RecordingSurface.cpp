#include "RecordingSurface.h"

#include "PrinterError.h"

#include <charconv>

namespace tagwright::printing {

namespace {

// Shortest text that reads back as the same float: 8, 10.25, 202.
QString number(float value)
{
    if (value == 0)
        value = 0;  // no "-0" in a trace
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString jsonString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString boolean(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

}  // namespace

QString RecordedOp::toJson() const
{
    switch (kind) {
    case Kind::Text:
        return QStringLiteral(R"({"op":"text","x":%1,"y":%2,"text":%3,"font":%4,"size":%5,)"
                              R"("bold":%6,"italic":%7,"end":%8})")
            .arg(number(x), number(y), jsonString(text), jsonString(font.name),
                 number(font.size), boolean(font.bold), boolean(font.italic),
                 boolean(endsLine));
    case Kind::Line:
        return QStringLiteral(R"({"op":"line","x1":%1,"y1":%2,"x2":%3,"y2":%4,"color":%5})")
            .arg(number(x), number(y), number(x2), number(y2))
            .arg(colour);
    case Kind::Box:
        return QStringLiteral(R"({"op":"box","x":%1,"y":%2,"w":%3,"h":%4,"color":%5})")
            .arg(number(x), number(y), number(width), number(height))
            .arg(colour);
    case Kind::PageSize:
        return QStringLiteral(R"({"op":"pagesize","width":%1,"height":%2})")
            .arg(number(width), number(height));
    case Kind::NewPage:
        return QStringLiteral(R"({"op":"newpage"})");
    case Kind::EndDoc:
        return QStringLiteral(R"({"op":"enddoc"})");
    }
    return {};
}

QStringList RecordingSurface::defaultFonts()
{
    return {QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"),
            QStringLiteral("Courier New"), QStringLiteral("Times New Roman")};
}

RecordingSurface::RecordingSurface(const QStringList& acceptedFonts)
    : m_acceptedFonts(acceptedFonts)
{
}

void RecordingSurface::checkFont(const FontState& font)
{
    if (font.name.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0)
        return;
    if (!m_acceptedFonts.contains(font.name, Qt::CaseInsensitive))
        throw PrinterError(InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

float RecordingSurface::measureWidth(const QString& text)
{
    return 10.0f * FontSize() * float(text.size());
}

float RecordingSurface::linePitch()
{
    return 24.0f * FontSize();
}

void RecordingSurface::drawText(float x, float y, const QString& text, LineEnd end)
{
    RecordedOp op;
    op.kind = RecordedOp::Kind::Text;
    op.x = x;
    op.y = y;
    op.text = text;
    op.font = font();
    op.endsLine = end == LineEnd::EndLine;
    m_ops.append(op);
}

void RecordingSurface::drawLine(float x1, float y1, float x2, float y2, Colour colour)
{
    RecordedOp op;
    op.kind = RecordedOp::Kind::Line;
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    m_ops.append(op);
}

void RecordingSurface::fillBox(float x, float y, float dx, float dy, Colour colour)
{
    RecordedOp op;
    op.kind = RecordedOp::Kind::Box;
    op.x = x;
    op.y = y;
    op.width = dx;
    op.height = dy;
    op.colour = colour;
    m_ops.append(op);
}

void RecordingSurface::pageSizeChanged(float widthTwips, float heightTwips)
{
    RecordedOp op;
    op.kind = RecordedOp::Kind::PageSize;
    op.width = widthTwips;
    op.height = heightTwips;
    m_ops.append(op);
}

void RecordingSurface::newPage()
{
    RecordedOp op;
    op.kind = RecordedOp::Kind::NewPage;
    m_ops.append(op);
}

void RecordingSurface::endJob()
{
    RecordedOp op;
    op.kind = RecordedOp::Kind::EndDoc;
    m_ops.append(op);
}

QVector<RecordedOp> RecordingSurface::textOps() const
{
    QVector<RecordedOp> texts;
    for (const RecordedOp& op : m_ops) {
        if (op.kind == RecordedOp::Kind::Text)
            texts.append(op);
    }
    return texts;
}

QString RecordingSurface::traceLines() const
{
    QString out;
    for (const RecordedOp& op : m_ops)
        out += op.toJson() + QLatin1Char('\n');
    return out;
}

}  // namespace tagwright::printing
