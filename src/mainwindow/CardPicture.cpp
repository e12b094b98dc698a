#include "CardPicture.h"

#include "ui/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace tagwright::mainwindow {

using namespace ui::palette;
using ui::sharpCanvas;

QImage drawCardPicture()
{
    QImage image = sharpCanvas({640, 480}, QImage::Format_RGB32);
    image.fill(Silver);
    QPainter p(&image);

    // The tray the cards stand in.
    p.setPen(Black);
    p.setBrush(Teal);
    p.drawRect(6, 330, 462, 146);
    p.setBrush(Navy);
    p.drawRect(6, 392, 462, 84);
    p.setPen(QPen(Silver, 2));
    p.drawLine(8, 394, 466, 394);
    // Finger hole of the tray's front.
    p.setPen(Black);
    p.setBrush(Black);
    p.drawRoundedRect(190, 418, 96, 26, 12, 12);

    // The front card with its title tab, and its shadow.
    QPainterPath card;
    card.addRect(14, 32, 444, 312);
    card.addRect(68, 2, 332, 34);
    card = card.simplified();
    p.setPen(Qt::NoPen);
    p.setBrush(Grey);
    p.drawPath(card.translated(5, 5));
    p.setPen(QPen(Black, 1));
    p.setBrush(White);
    p.drawPath(card);

    // Ruled lines of an index card, in the space below the fields.
    p.setPen(QPen(Maroon, 1));
    p.drawLine(18, 84, 454, 84);
    p.setPen(QPen(Blue, 1));
    for (int y = 250; y < 340; y += 22)
        p.drawLine(18, y, 454, y);

    // Page-turn arrows under the click zones at either side of the card: the upper two page
    // forward and point right, the lower two page back and point left.
    p.setPen(Qt::NoPen);
    p.setBrush(Navy);
    p.drawPolygon(QPolygon({QPoint(58, 175), QPoint(30, 163), QPoint(30, 187)}));
    p.drawPolygon(QPolygon({QPoint(442, 175), QPoint(414, 163), QPoint(414, 187)}));
    p.drawPolygon(QPolygon({QPoint(414, 245), QPoint(442, 233), QPoint(442, 257)}));
    p.drawPolygon(QPolygon({QPoint(30, 245), QPoint(58, 233), QPoint(58, 257)}));
    return image;
}

}  // namespace tagwright::mainwindow
