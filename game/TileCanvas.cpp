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

QImage FromFourBit(const TileBitmap& p)
{
    QImage out(int(p.width), int(p.height), QImage::Format_Indexed8);
    for (std::uint32_t y = 0; y < p.height; ++y) {
        const std::uint8_t* row = p.bits.data() + std::size_t(y) * p.RowBytes();
        uchar* to = out.scanLine(int(y));
        for (std::uint32_t x = 0; x < p.width; ++x) to[x] = (x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    }
    return out;
}

} // namespace

void TileCanvas::Resize(int width, int height)
{
    if (image_.width() == width && image_.height() == height) return;
    image_ = QImage(width, height, QImage::Format_RGB32);
    image_.fill(Qt::black);
}

QImage TileCanvas::StoredRows(const TileBitmap& p)
{
    if (!p.Valid()) return {};
    const int w = int(p.width), h = int(p.height);
    const auto stride = qsizetype(p.RowBytes());
    QImage image;
    switch (p.bitCount) {
    case 1: image = QImage(p.bits.data(), w, h, stride, QImage::Format_Mono); break;
    case 4: image = FromFourBit(p); break;
    case 8: image = QImage(p.bits.data(), w, h, stride, QImage::Format_Indexed8); break;
    case 24: return QImage(p.bits.data(), w, h, stride, QImage::Format_BGR888);
    default: return {};
    }
    image.setColorTable(ColourTable(p));
    return image;
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
    // Stored rows run bottom-up: the flip makes the picture stand upright.
    // Scaled as colours: Qt puts a scaled indexed picture back into a
    // dithered cube of 216 colours, which speckles flat areas.
    QImage scaled = StoredRows(picture)
                        .copy(source)
                        .convertToFormat(QImage::Format_RGB32)
                        .mirrored(false, true)
                        .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_RGB32); // opaque: drawn by plain copy
    if (picture.serial == 0) return scaled; // not from a file: no identity to keep it by
    copies_.push_front({picture.serial, source, size, scaled});
    if (copies_.size() > KeptCopies) copies_.pop_back();
    return scaled;
}

QRect TileCanvas::Blank(const TileRect& tile)
{
    const QRect target(tile.x, tile.y, tile.width, tile.height);
    QPainter(&image_).fillRect(target, QColor(BlankTile));
    return target;
}

QRect TileCanvas::Draw(const TileRect& tile, const TileBitmap& picture, const QRect& source)
{
    if (!picture.Valid()) return Blank(tile);
    QPainter(&image_).drawImage(tile.x, tile.y, Scaled(picture, source, tile.width, tile.height));
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
    QImage tile;
    if (picture.Valid())
        tile = Scaled(picture, QRect(0, 0, int(picture.width), int(picture.height)), layout.tileWidth,
                      layout.tileHeight);
    QPainter painter(&image_);
    for (int r = 0; r < layout.rows; ++r) {
        for (int c = 0; c < layout.columns; ++c) {
            const QRect target(c * layout.tileWidth + layout.left, r * layout.tileHeight + layout.top,
                               layout.tileWidth, layout.tileHeight);
            if (tile.isNull()) painter.fillRect(target, QColor(BlankTile));
            else painter.drawImage(target.topLeft(), tile);
            changed |= target;
        }
    }
    return changed;
}
