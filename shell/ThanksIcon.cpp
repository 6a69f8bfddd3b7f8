#include "shell/ThanksIcon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ThanksIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    painter.setPen(QPen(QColor(240, 200, 90), s / 20));
    painter.setBrush(QColor(36, 62, 140));
    painter.drawRoundedRect(QRectF(s * 0.14, s * 0.04, s * 0.72, s * 0.92), s * 0.1, s * 0.1);

    QPainterPath heart;
    heart.moveTo(s * 0.5, s * 0.76);
    heart.cubicTo(s * 0.2, s * 0.56, s * 0.2, s * 0.28, s * 0.38, s * 0.3);
    heart.cubicTo(s * 0.45, s * 0.31, s * 0.5, s * 0.38, s * 0.5, s * 0.42);
    heart.cubicTo(s * 0.5, s * 0.38, s * 0.55, s * 0.31, s * 0.62, s * 0.3);
    heart.cubicTo(s * 0.8, s * 0.28, s * 0.8, s * 0.56, s * 0.5, s * 0.76);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(225, 45, 60));
    painter.drawPath(heart);
    return pixmap;
}
