#pragma once

#include "game/BoardLayout.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <list>

struct TileBitmap;

// The main window's picture of the board: an RGB32 image the tile pictures
// are stretched into. The window shows it; every drawing call returns the
// area it changed. Sizes and tiles are given in the window's units; the
// image has the screen's own pixels (ratio of them to a unit: the device
// pixel ratio), so pictures are stretched once, straight to what is shown.
class TileCanvas {
public:
    // Keeps the drawn board when size and ratio are unchanged; else it starts black.
    void Resize(int width, int height, qreal ratio = 1);
    const QImage& Image() const { return image_; }
    // Where a tile lies in the image's pixels: neighbouring tiles still touch.
    QRect Pixels(const TileRect& tile) const;

    QRect DrawDib(const TileRect& tile, const TileBitmap& picture);
    QRect DrawDibQuarter(int quarter, const TileRect& tile, const TileBitmap& picture);
    // Draws the picture into every tile of the grid, scaling it only once.
    QRect PaintAllCovers(const BoardLayout& layout, const TileBitmap& picture);

    // The part of the picture that a quarter tile shows, in the picture's
    // own coordinates (origin at the first stored row).
    static QRect QuarterSource(int quarter, int width, int height);
    // The part of the picture (in its stored coordinates), upright, as RGB32;
    // null when the picture is invalid or the part not inside it.
    static QImage Upright(const TileBitmap& picture, const QRect& source);

private:
    QRect Draw(const TileRect& tile, const TileBitmap& picture, const QRect& source);
    QImage Scaled(const TileBitmap& picture, const QRect& source, int width, int height);
    QRect Blank(const TileRect& tile);

    // The cover and matched-tile pictures are drawn into every tile at one
    // size: their stretched copies are kept, the most recent first.
    struct ScaledCopy {
        std::uint64_t serial;
        QRect source;
        QSize size;
        QImage image;
    };
    static constexpr std::size_t KeptCopies = 4;

    QImage image_;
    std::list<ScaledCopy> copies_;
};
