#include "game/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap Card(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card(size * 0.12, size * 0.04, size * 0.76, size * 0.92);
    painter.setPen(QPen(QColor(240, 200, 90), size / 24.0));
    painter.setBrush(QColor(36, 62, 140));
    painter.drawRoundedRect(card, size * 0.12, size * 0.12);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(int(size * 0.6));
    painter.setFont(font);
    painter.setPen(QColor(250, 210, 100));
    painter.drawText(card, Qt::AlignCenter, "?");
    return pixmap;
}

} // namespace

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) icon.addPixmap(Card(size));
    return icon;
}
