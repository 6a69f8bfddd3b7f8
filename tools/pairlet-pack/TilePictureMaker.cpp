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

QImage TilePictureMaker::Make(const QString& path, int index)
{
    const int side = int(Height * IconShare);
    const QImage source = Render(path, side);
    if (source.isNull()) return {};
    return source.hasAlphaChannel() ? OnBackground(source, index) : Filled(source);
}

QImage TilePictureMaker::OnBackground(const QImage& icon, int index)
{
    // Pastel hues far apart from one picture to the next.
    const QColor tint = QColor::fromHsv((index * 137) % 360, 40, 250);
    QImage tile(Width, Height, QImage::Format_RGB32);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(Width / 2.0, Height / 2.0, Width * 0.6);
    glow.setColorAt(0, QColor(255, 255, 250));
    glow.setColorAt(1, tint);
    painter.fillRect(tile.rect(), glow);
    painter.setPen(QPen(tint.darker(125), 6));
    painter.drawRoundedRect(QRectF(tile.rect()).adjusted(5, 5, -5, -5), 22, 22);

    const QImage shown = icon.scaled(int(Height * IconShare), int(Height * IconShare), Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation);
    painter.drawImage((Width - shown.width()) / 2, (Height - shown.height()) / 2, shown);
    return tile;
}

QImage TilePictureMaker::Filled(const QImage& photo)
{
    const QImage scaled = photo.scaled(Width, Height, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - Width) / 2, (scaled.height() - Height) / 2, Width, Height)
        .convertToFormat(QImage::Format_RGB32);
}
