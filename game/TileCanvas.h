#pragma once

#include "game/BoardLayout.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

class QPainter;
struct TileBitmap;

// The main window's picture of the board, kept as the stretched pictures
// its tiles show rather than as a copy of the whole screen: the window's
// own backing store already holds those pixels once. Tiles showing the same
// picture at the same size share one stretched copy (the cover, the matched
// picture, both tiles of a pair). Sizes and tiles are given in the window's
// units; pictures are stretched straight to the screen's own pixels (ratio
// of them to a unit: the device pixel ratio). Every drawing call returns
// the area it changed.
class TileCanvas {
public:
    // Keeps the drawn board when size and ratio are unchanged; else it starts black.
    void Resize(int width, int height, qreal ratio = 1);
    bool Fits(const QSize& size, qreal ratio) const { return size_ == size && ratio_ == ratio; }
    // Where a tile lies in the screen's pixels: neighbouring tiles still touch.
    QRect Pixels(const TileRect& tile) const;

    // Draws the whole board anew: what `draw` does not draw again is black,
    // and a picture drawn before at the same size is not stretched again.
    template <typename Draw> void Redraw(Draw draw)
    {
        previous_.swap(pieces_);
        pieces_.clear();
        draw();
        previous_.clear();
    }

    QRect DrawDib(const TileRect& tile, const TileBitmap& picture);
    QRect DrawDibQuarter(int quarter, const TileRect& tile, const TileBitmap& picture);
    // Draws the picture into every tile of the grid, scaling it only once.
    QRect PaintAllCovers(const BoardLayout& layout, const TileBitmap& picture);

    // Shows an area (in units) of the board on a painter of the window's
    // units; what no tile covers is black.
    void Paint(QPainter& painter, const QRect& area) const;
    // The whole board in the screen's pixels, as the window shows it.
    QImage Picture() const;
    // The pixels held for the board: each stretched copy counted once.
    std::size_t HeldBytes() const;

    // The part of the picture that a quarter tile shows, in the picture's
    // own coordinates (origin at the first stored row).
    static QRect QuarterSource(int quarter, int width, int height);
    // The part of the picture (in its stored coordinates), upright, as RGB32;
    // null when the picture is invalid or the part not inside it.
    static QImage Upright(const TileBitmap& picture, const QRect& source);

private:
    // What one tile shows: a stretched picture, or the blank colour when the
    // image is null. A piece drawn over another replaces it.
    struct Piece {
        QRect pixels;
        std::uint64_t identity;
        QRect source;
        QImage image;
    };

    QRect Draw(const TileRect& tile, const TileBitmap& picture, const QRect& source);
    QImage Scaled(const TileBitmap& picture, const QRect& source, const QSize& size) const;
    void Place(const QRect& pixels, const TileBitmap& picture, const QRect& source, const QImage& image);

    QSize size_;
    qreal ratio_ = 1;
    std::vector<Piece> pieces_;
    std::vector<Piece> previous_; // while the board is drawn anew
};
