#include "BoxText.h"

#include <cmath>

namespace tagwright::printing::boxtext {

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n'))
        ++i;
    double sign = 1;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            sign = -1;
        ++i;
    }
    // Collected as text so that long digit runs read as exactly as a double allows.
    QString digits;
    bool any = false;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        digits += text[i++];
        any = true;
    }
    if (i < n && text[i] == u'.') {
        digits += text[i++];
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            digits += text[i++];
            any = true;
        }
    }
    if (!any)
        return 0;
    if (digits.startsWith(u'.'))
        digits.prepend(u'0');
    if (digits.endsWith(u'.'))
        digits.chop(1);
    return sign * digits.toDouble();
}

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double offsetTwips(const QString& text)
{
    return roundHalfEven(leadingNumber(text));
}

bool isBlank(const QString& text)
{
    static const QString sixSpaces(6, u' ');
    return QString::compare(text, sixSpaces, Qt::CaseSensitive) <= 0;
}

}  // namespace tagwright::printing::boxtext
