#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace tagwright::test {

// How many pixels of `image` within `area` (all of it when null) have exactly `colour`.
inline int pixelsOf(const QImage& image, const QColor& colour, const QRect& area = QRect())
{
    const QRect box = area.isNull() ? image.rect() : area & image.rect();
    int found = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            found += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return found;
}

}  // namespace tagwright::test
