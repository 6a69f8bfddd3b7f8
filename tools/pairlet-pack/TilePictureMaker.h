#pragma once

#include <QImage>
#include <QString>

// Turns one source picture (PNG, JPEG or SVG) into a tile face of the pack's
// size (960 × 540, a 4 × 4 tile on a 4K screen, unless the pack chooses
// another). Pictures with transparency (icons, emoji) stand centred on a soft
// background of their own colour; opaque ones (photos) fill the tile, cut to
// its shape.
class TilePictureMaker {
public:
    static constexpr int Width = 960;
    static constexpr int Height = 540;

    // A null image when the file cannot be read as a picture.
    static QImage Make(const QString& path, int index, QSize size = {Width, Height});
    static bool IsPicture(const QString& path);
    // The picture as read; an SVG is drawn into a square of the given side.
    static QImage Render(const QString& path, int side);

private:
    static QImage OnBackground(const QImage& icon, int index, QSize size);
    static QImage Filled(const QImage& photo, QSize size);
};
