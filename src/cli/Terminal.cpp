#include "Terminal.h"

#include <QTextStream>

#include <algorithm>

namespace tagwright::cli {

namespace {

constexpr char16_t EscapedByte = 0xDC00;

bool isEscapedByte(QChar c)
{
    return c.unicode() >= EscapedByte + 0x80 && c.unicode() <= EscapedByte + 0xFF;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0.
int sequenceLength(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? uchar(bytes[i]) : 0u; };
    const auto continuation = [&](qsizetype i) { return (byte(i) & 0xC0) == 0x80; };
    const uint lead = byte(at);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(at + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const uint second = byte(at + 1);
        const bool overlong = lead == 0xE0 && second < 0xA0;
        const bool surrogate = lead == 0xED && second >= 0xA0;
        return continuation(at + 1) && continuation(at + 2) && !overlong && !surrogate ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const uint second = byte(at + 1);
        const bool outOfRange = (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90);
        return continuation(at + 1) && continuation(at + 2) && continuation(at + 3) && !outOfRange ? 4 : 0;
    }
    return 0;
}

}  // namespace

void complain(QTextStream& err, const QString& message, const QString& program)
{
    err << program << ": " << escapeControls(message) << Qt::endl;
}

QString escapeControls(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            shown += QStringLiteral("\\n");
        else if (u == u'\r')
            shown += QStringLiteral("\\r");
        else if (u == u'\t')
            shown += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7F)
            shown += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else if (isEscapedByte(c))
            shown += QStringLiteral("\\x%1").arg(uint(u - EscapedByte), 2, 16, QLatin1Char('0'));
        else if ((u >= 0x80 && u < 0xA0) || u == 0x2028 || u == 0x2029)
            shown += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString decodeArgument(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        if (const int length = sequenceLength(bytes, at); length > 0) {
            text += QString::fromUtf8(bytes.mid(at, length));
            at += length;
        } else {
            text += QChar(char16_t(EscapedByte + uchar(bytes[at])));
            ++at;
        }
    }
    return text;
}

bool holdsUndecodedBytes(const QString& text)
{
    return std::any_of(text.begin(), text.end(), isEscapedByte);
}

QByteArray encodeArgument(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype run = 0;  // start of the text not yet encoded
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pairedLow = i > 0 && text[i - 1].isHighSurrogate();
        if (isEscapedByte(text[i]) && !pairedLow) {
            bytes += text.mid(run, i - run).toUtf8();
            bytes += char(text[i].unicode() - EscapedByte);
            run = i + 1;
        }
    }
    bytes += text.mid(run).toUtf8();
    return bytes;
}

QString listingRow(const QStringList& cells, const QVector<int>& widths)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QString cell = escapeControls(cells[i]);
        line += i + 1 < cells.size() ? cell.leftJustified(widths[i]) + QStringLiteral("  ") : cell;
    }
    return line.trimmed() + u'\n';
}

}  // namespace tagwright::cli
