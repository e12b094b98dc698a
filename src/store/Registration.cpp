#include "Registration.h"

#include <QList>

namespace tagwright::store::registration {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

}  // namespace

QString trimmed(const QString& typed)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    while (begin < end && isBlank(typed[begin]))
        ++begin;
    while (end > begin && isBlank(typed[end - 1]))
        --end;
    return typed.mid(begin, end - begin);
}

QString key(const QString& registration)
{
    QString folded = trimmed(registration);
    for (QChar& c : folded) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

bool same(const QString& a, const QString& b)
{
    return key(a) == key(b);
}

bool startsWith(const QString& registration, const QString& prefix)
{
    return key(registration).startsWith(key(prefix));
}

std::optional<QString> keyRangeEnd(const QString& prefix)
{
    QList<uint> points = key(prefix).toUcs4();
    while (!points.isEmpty()) {
        uint& last = points.last();
        if (last < 0x10FFFF) {
            // Surrogate code points never stand in text: the next one up is U+E000.
            last = last + 1 == 0xD800 ? 0xE000 : last + 1;
            return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
        }
        points.removeLast();
    }
    return std::nullopt;
}

QString sqliteKey(const QString& quotedField)
{
    return QStringLiteral("trim(%1, char(32, 9, 10, 11, 12, 13)) COLLATE NOCASE").arg(quotedField);
}

QString postgresKey(const QString& quotedField)
{
    return QStringLiteral("lower(btrim(%1, E' \\t\\n\\x0b\\f\\r') COLLATE \"C\")").arg(quotedField);
}

}  // namespace tagwright::store::registration
