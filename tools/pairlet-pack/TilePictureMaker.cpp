#include "TilePictureMaker.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>

namespace {
// The icon's share of the tile height: room around it keeps it clear of the
// neighbouring tiles.
constexpr double IconShare = 0.84;
} // namespace

bool TilePictureMaker::IsPicture(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "svg" || suffix == "png" || suffix == "jpg" || suffix == "jpeg";
}

QImage TilePictureMaker::Render(const QString& path, int side)
{
    if (QFileInfo(path).suffix().toLower() != "svg") {
        QImageReader reader(path);
        reader.setAutoTransform(true); // photos stand the way they were taken
        return reader.read();
    }
    QSvgRenderer svg(path);
    if (!svg.isValid()) return {};
    // Rendered straight at the size it is shown, so it stays sharp.
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

QImage TilePictureMaker::Make(const QString& path, int index, QSize size)
{
    const int side = int(size.height() * IconShare);
    const QImage source = Render(path, side);
    if (source.isNull()) return {};
    return source.hasAlphaChannel() ? OnBackground(source, index, size) : Filled(source, size);
}

QImage TilePictureMaker::OnBackground(const QImage& icon, int index, QSize size)
{
    const int w = size.width(), h = size.height();
    // The frame keeps its proportions at every size: drawn for 270 rows.
    const qreal unit = h / 270.0;
    // Pastel hues far apart from one picture to the next.
    const QColor tint = QColor::fromHsv((index * 137) % 360, 40, 250);
    QImage tile(size, QImage::Format_RGB32);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(w / 2.0, h / 2.0, w * 0.6);
    glow.setColorAt(0, QColor(255, 255, 250));
    glow.setColorAt(1, tint);
    painter.fillRect(tile.rect(), glow);
    painter.setPen(QPen(tint.darker(125), 6 * unit));
    const qreal inset = 5 * unit;
    painter.drawRoundedRect(QRectF(tile.rect()).adjusted(inset, inset, -inset, -inset), 22 * unit, 22 * unit);

    const QImage shown =
        icon.scaled(int(h * IconShare), int(h * IconShare), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage((w - shown.width()) / 2, (h - shown.height()) / 2, shown);
    return tile;
}

QImage TilePictureMaker::Filled(const QImage& photo, QSize size)
{
    const QImage scaled = photo.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2, size.width(),
                       size.height())
        .convertToFormat(QImage::Format_RGB32);
}
