#include "CoverArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void Frame(QPainter& painter, const QRectF& area, const QColor& colour, double width)
{
    painter.setPen(QPen(colour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(area, 20, 20);
}

// A lattice of small diamonds, like the back of a playing card.
void Lattice(QPainter& painter, const QRectF& area, const QColor& colour)
{
    painter.save();
    painter.setClipRect(area);
    painter.setPen(QPen(colour, 2));
    const double step = 30;
    for (double x = area.left() - area.height(); x < area.right(); x += step) {
        painter.drawLine(QPointF(x, area.top()), QPointF(x + area.height(), area.bottom()));
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x + area.height(), area.top()));
    }
    painter.restore();
}

} // namespace

QImage CoverArt::Cover(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient deep(0, 0, width, height);
    deep.setColorAt(0, QColor(36, 62, 140));
    deep.setColorAt(1, QColor(18, 30, 82));
    painter.fillRect(image.rect(), deep);
    const QRectF inner = QRectF(image.rect()).adjusted(16, 16, -16, -16);
    Lattice(painter, inner, QColor(80, 110, 200));
    Frame(painter, QRectF(image.rect()).adjusted(4, 4, -4, -4), QColor(20, 24, 48), 8);
    Frame(painter, inner, QColor(240, 200, 90), 4);

    // A golden medallion with a question mark in the middle.
    const QPointF centre(width / 2.0, height / 2.0);
    const double radius = height * 0.26;
    painter.setPen(QPen(QColor(150, 100, 20), 4));
    painter.setBrush(QColor(250, 210, 100));
    painter.drawEllipse(centre, radius, radius);
    QFont font("DejaVu Sans", int(radius * 1.2), QFont::Bold);
    painter.setFont(font);
    painter.setPen(QColor(36, 62, 140));
    painter.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
                     "?");
    return image;
}

QImage CoverArt::Matched(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient felt(0, 0, 0, height);
    felt.setColorAt(0, QColor(46, 120, 80));
    felt.setColorAt(1, QColor(28, 84, 56));
    painter.fillRect(image.rect(), felt);
    Frame(painter, QRectF(image.rect()).adjusted(4, 4, -4, -4), QColor(20, 50, 34), 8);

    // A bold tick: this set is done.
    QPainterPath tick;
    tick.moveTo(width * 0.36, height * 0.52);
    tick.lineTo(width * 0.46, height * 0.70);
    tick.lineTo(width * 0.66, height * 0.30);
    painter.setPen(QPen(QColor(200, 240, 200), height * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    return image;
}
