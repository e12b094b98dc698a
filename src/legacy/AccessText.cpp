#include "AccessText.h"

using namespace Qt::StringLiterals;

#include <utility>

namespace tagwright::legacy {

namespace {

QString codePoint(char16_t c)
{
    return QStringLiteral("U+") + QString::number(int(c), 16).rightJustified(4, u'0').toUpper();
}

// The blocks Windows' ANSI code pages map their characters to (the Western, Central
// European, Cyrillic, Greek, Turkish, Hebrew, Arabic, Baltic, Vietnamese and Thai ones, and
// the Japanese, Chinese and Korean double-byte ones, private use areas included). The earlier
// program took its text from such a code page, so no other character can be in its files:
// bytes read from the wrong place decode to them.
bool inAnsiRepertoire(char16_t c)
{
    static constexpr std::pair<char16_t, char16_t> Blocks[] = {
        {0x0009, 0x000d}, {0x0020, 0x007e}, {0x00a0, 0x024f}, {0x02b0, 0x03ff}, {0x0400, 0x04ff},
        {0x05b0, 0x05ff}, {0x0600, 0x06ff}, {0x0e00, 0x0e7f}, {0x2000, 0x206f}, {0x20a0, 0x20cf},
        {0x2100, 0x26ff}, {0x3000, 0x33ff}, {0x4e00, 0x9fff}, {0xac00, 0xd7a3}, {0xd800, 0xdfff},
        {0xe000, 0xfaff}, {0xfe30, 0xfe6f}, {0xff00, 0xffef},
    };
    for (const auto& [first, last] : Blocks) {
        if (c >= first && c <= last)
            return true;
    }
    return false;
}

}  // namespace

std::optional<QString> decodeJet4Text(const unsigned char* data, qsizetype size)
{
    // An empty text is present, not missing: a null QString would be stored as missing.
    if (size == 0)
        return QString(u""_s);
    if (size >= 2 && data[0] == 0xff && data[1] == 0xfe) {
        QString result;
        result.reserve(size);
        bool compressed = true;
        for (qsizetype i = 2; i < size;) {
            if (data[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                // The marker again: the field runs into the next one's start.
                if (data[i] == 0xff && i + 1 < size && data[i + 1] == 0xfe)
                    return std::nullopt;
                result.append(QChar(data[i++]));
            } else if (i + 1 < size) {
                result.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
                i += 2;
            } else {
                return std::nullopt;
            }
        }
        return result;
    }
    if (size % 2 != 0)
        return std::nullopt;
    QString result(size / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < size / 2; ++i)
        result[i] = QChar(char16_t(data[2 * i] | (data[2 * i + 1] << 8)));
    return result;
}

QString unstorableCharacter(const QString& text, bool multiline)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool lineBreakOrTab = c == u'\t' || c == u'\r' || c == u'\n';
        if (c < 0x20 && !(multiline && lineBreakOrTab))
            return QStringLiteral("the control character ") + codePoint(c);
        if (c >= 0x7f && c <= 0x9f)
            return QStringLiteral("the control character ") + codePoint(c);
        if (c == 0xfffe || c == 0xffff)
            return codePoint(c) + QStringLiteral(", which is no character");
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(c))
            return QStringLiteral("half of a UTF-16 pair");
        if (!inAnsiRepertoire(c))
            return codePoint(c) + QStringLiteral(", which no Windows code page has");
    }
    return {};
}

}  // namespace tagwright::legacy
