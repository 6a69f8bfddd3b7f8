#include "game/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap Card(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintAppIcon(painter, size);
    return pixmap;
}

} // namespace

void PaintAppIcon(QPainter& painter, qreal size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(size * 0.12, size * 0.04, size * 0.76, size * 0.92);
    painter.setPen(QPen(QColor(240, 200, 90), size / 24.0));
    painter.setBrush(QColor(36, 62, 140));
    painter.drawRoundedRect(card, size * 0.12, size * 0.12);
    // The mark as an outline, so that the scalable icon needs no font.
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(int(size * 0.6));
    QPainterPath mark;
    mark.addText(0, 0, font, "?");
    mark.translate(card.center() - mark.boundingRect().center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 210, 100));
    painter.drawPath(mark);
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(Card(size));
    return icon;
}
