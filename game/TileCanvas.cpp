#include "game/TileCanvas.h"

#include "game/TileBitmap.h"

#include <QPainter>

namespace {

// A board without a usable cover or matched-tile picture still shows where
// its tiles are, and never the face that lay there before.
constexpr QRgb BlankTile = qRgb(40, 40, 48);

QVector<QRgb> ColourTable(const TileBitmap& picture)
{
    // Pixel values beyond the file's table draw black rather than read past it.
    QVector<QRgb> table(256, qRgb(0, 0, 0));
    const std::size_t n = picture.colors.size() < 256 ? picture.colors.size() : 256;
    for (std::size_t i = 0; i < n; ++i) table[int(i)] = 0xFF000000u | picture.colors[i];
    return table;
}

// Paints on the canvas in its own pixels: tiles are placed pixel for pixel,
// whatever the ratio.
class PixelPainter : public QPainter {
public:
    explicit PixelPainter(QImage& image) : QPainter(&image)
    {
        const qreal ratio = image.devicePixelRatio();
        scale(1 / ratio, 1 / ratio);
    }
};

} // namespace

void TileCanvas::Resize(int width, int height, qreal ratio)
{
    const QSize pixels(qRound(width * ratio), qRound(height * ratio));
    if (image_.size() == pixels && image_.devicePixelRatio() == ratio) return;
    image_ = QImage(pixels, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(Qt::black);
}

QRect TileCanvas::Pixels(const TileRect& tile) const
{
    const qreal r = image_.devicePixelRatio();
    const int left = qRound(tile.x * r), top = qRound(tile.y * r);
    return QRect(QPoint(left, top), QPoint(qRound((tile.x + tile.width) * r) - 1, qRound((tile.y + tile.height) * r) - 1));
}

QImage TileCanvas::Upright(const TileBitmap& p, const QRect& source)
{
    const int bits = p.bitCount;
    if (!p.Valid() || (bits != 1 && bits != 4 && bits != 8 && bits != 24) ||
        p.bits.size() < std::size_t(p.RowBytes()) * p.height || !QRect(0, 0, int(p.width), int(p.height)).contains(source))
        return {};
    const QVector<QRgb> table = ColourTable(p);
    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        // Stored rows run bottom-up: the last stored row of the part is the top one.
        const std::uint8_t* row = p.bits.data() + std::size_t(source.bottom() - y) * p.RowBytes();
        auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0, c = source.left(); x < source.width(); ++x, ++c) {
            switch (bits) {
            case 24: to[x] = qRgb(row[c * 3 + 2], row[c * 3 + 1], row[c * 3]); break;
            case 8: to[x] = table[row[c]]; break;
            case 4: to[x] = table[(c & 1) ? row[c / 2] & 0x0F : row[c / 2] >> 4]; break;
            default: to[x] = table[row[c / 8] >> (7 - c % 8) & 1]; break;
            }
        }
    }
    return out;
}

QRect TileCanvas::QuarterSource(int quarter, int width, int height)
{
    const int hw = width / 2, hh = height / 2;
    return QRect(hw * (quarter % 2), hh * (quarter / 2), width - hw, height - hh);
}

QImage TileCanvas::Scaled(const TileBitmap& picture, const QRect& source, int width, int height)
{
    const QSize size(width, height);
    for (auto it = copies_.begin(); it != copies_.end(); ++it) {
        if (it->serial != picture.serial || it->source != source || it->size != size) continue;
        copies_.splice(copies_.begin(), copies_, it);
        return it->image;
    }
    // Scaled as colours, upright, in one pass over the part: Qt would put a
    // scaled indexed picture back into a dithered cube of 216 colours, which
    // speckles flat areas.
    const QImage upright = Upright(picture, source);
    const QImage scaled = upright.size() == size
                              ? upright
                              : upright.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                    .convertToFormat(QImage::Format_RGB32); // opaque: drawn by plain copy
    if (picture.serial == 0) return scaled; // not from a file: no identity to keep it by
    copies_.push_front({picture.serial, source, size, scaled});
    if (copies_.size() > KeptCopies) copies_.pop_back();
    return scaled;
}

QRect TileCanvas::Blank(const TileRect& tile)
{
    PixelPainter(image_).fillRect(Pixels(tile), QColor(BlankTile));
    return QRect(tile.x, tile.y, tile.width, tile.height);
}

QRect TileCanvas::Draw(const TileRect& tile, const TileBitmap& picture, const QRect& source)
{
    if (!picture.Valid()) return Blank(tile);
    const QRect target = Pixels(tile);
    PixelPainter(image_).drawImage(target.topLeft(), Scaled(picture, source, target.width(), target.height()));
    return QRect(tile.x, tile.y, tile.width, tile.height);
}

QRect TileCanvas::DrawDib(const TileRect& tile, const TileBitmap& picture)
{
    return Draw(tile, picture, QRect(0, 0, int(picture.width), int(picture.height)));
}

QRect TileCanvas::DrawDibQuarter(int quarter, const TileRect& tile, const TileBitmap& picture)
{
    return Draw(tile, picture, QuarterSource(quarter, int(picture.width), int(picture.height)));
}

QRect TileCanvas::PaintAllCovers(const BoardLayout& layout, const TileBitmap& picture)
{
    QRect changed;
    if (layout.Empty()) return changed;
    const QRect whole(0, 0, int(picture.width), int(picture.height));
    PixelPainter painter(image_);
    for (int r = 0; r < layout.rows; ++r) {
        for (int c = 0; c < layout.columns; ++c) {
            const TileRect tile{c * layout.tileWidth + layout.left, r * layout.tileHeight + layout.top,
                                layout.tileWidth, layout.tileHeight};
            const QRect target = Pixels(tile);
            // At a fractional ratio tiles differ by a pixel: each size is stretched once.
            if (!picture.Valid()) painter.fillRect(target, QColor(BlankTile));
            else painter.drawImage(target.topLeft(), Scaled(picture, whole, target.width(), target.height()));
            changed |= QRect(tile.x, tile.y, tile.width, tile.height);
        }
    }
    return changed;
}
