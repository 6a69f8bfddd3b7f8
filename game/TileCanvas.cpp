#include "game/TileCanvas.h"

#include "game/TileBitmap.h"

#include <QPainter>
#include <QtEndian>
#include <QRegion>

#include <algorithm>
#include <set>

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

// One stored row's part from column `left`, `width` pixels, as RGB32.
void UprightRow(const TileBitmap& p, const QVector<QRgb>& table, const std::uint8_t* row, int left, int width,
                QRgb* to)
{
    switch (p.bitCount) {
    case 24: {
        // Blue, green, red as stored are the low three bytes of an RGB32
        // word: one unaligned load a pixel, the last one kept inside the row.
        const std::uint8_t* at = row + left * 3;
        for (; width > 1; --width, at += 3) *to++ = 0xFF000000u | qFromLittleEndian<quint32>(at);
        if (width == 1) *to = qRgb(at[2], at[1], at[0]);
        break;
    }
    case 8:
        for (const std::uint8_t* at = row + left; width-- > 0;) *to++ = table[*at++];
        break;
    case 4:
        for (int c = left; width-- > 0; ++c) *to++ = table[(c & 1) ? row[c / 2] & 0x0F : row[c / 2] >> 4];
        break;
    default:
        for (int c = left; width-- > 0; ++c) *to++ = table[row[c / 8] >> (7 - c % 8) & 1];
        break;
    }
}

// Paints in the screen's pixels on a painter of the window's units: tiles
// are placed pixel for pixel, whatever the ratio.
class InPixels {
public:
    InPixels(QPainter& painter, qreal ratio) : painter_(painter)
    {
        painter_.save();
        painter_.scale(1 / ratio, 1 / ratio);
    }
    ~InPixels() { painter_.restore(); }

private:
    QPainter& painter_;
};

} // namespace

void TileCanvas::Resize(int width, int height, qreal ratio)
{
    if (Fits(QSize(width, height), ratio)) return;
    size_ = QSize(width, height);
    ratio_ = ratio;
    pieces_.clear();
    previous_.clear();
}

QRect TileCanvas::Pixels(const TileRect& tile) const
{
    const int left = qRound(tile.x * ratio_), top = qRound(tile.y * ratio_);
    return QRect(QPoint(left, top),
                 QPoint(qRound((tile.x + tile.width) * ratio_) - 1, qRound((tile.y + tile.height) * ratio_) - 1));
}

QImage TileCanvas::Upright(const TileBitmap& p, const QRect& source)
{
    const int bits = p.bitCount;
    if (!p.Valid() || (bits != 1 && bits != 4 && bits != 8 && bits != 24) ||
        p.bits.size() < std::size_t(p.RowBytes()) * p.height || !QRect(0, 0, int(p.width), int(p.height)).contains(source))
        return {};
    const QVector<QRgb> table = ColourTable(p);
    QImage out(source.size(), QImage::Format_RGB32);
    // Stored rows run bottom-up: the last stored row of the part is the top one.
    for (int y = 0; y < source.height(); ++y)
        UprightRow(p, table, p.bits.data() + std::size_t(source.bottom() - y) * p.RowBytes(), source.left(),
                   source.width(), reinterpret_cast<QRgb*>(out.scanLine(y)));
    return out;
}

QRect TileCanvas::QuarterSource(int quarter, int width, int height)
{
    const int hw = width / 2, hh = height / 2;
    return QRect(hw * (quarter % 2), hh * (quarter / 2), width - hw, height - hh);
}

QImage TileCanvas::Scaled(const TileBitmap& picture, const QRect& source, const QSize& size) const
{
    if (picture.identity != 0)
        for (const std::vector<Piece>* pieces : {&pieces_, &previous_})
            for (const Piece& piece : *pieces)
                if (piece.identity == picture.identity && piece.source == source && piece.pixels.size() == size)
                    return piece.image;
    // Scaled as colours, upright, in one pass over the part: Qt would put a
    // scaled indexed picture back into a dithered cube of 216 colours, which
    // speckles flat areas.
    const QImage upright = Upright(picture, source);
    if (upright.size() == size) return upright;
    return upright.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32); // opaque: shown by plain copy
}

void TileCanvas::Place(const QRect& pixels, const TileBitmap& picture, const QRect& source, const QImage& image)
{
    pieces_.erase(std::remove_if(pieces_.begin(), pieces_.end(),
                                 [&pixels](const Piece& under) { return under.pixels.intersects(pixels); }),
                  pieces_.end());
    pieces_.push_back({pixels, image.isNull() ? 0 : picture.identity, source, image});
}

QRect TileCanvas::Draw(const TileRect& tile, const TileBitmap& picture, const QRect& source)
{
    const QRect pixels = Pixels(tile);
    Place(pixels, picture, source, picture.Valid() ? Scaled(picture, source, pixels.size()) : QImage());
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
    // At a fractional ratio tiles differ by a pixel: each size is stretched
    // once, also for a picture without an identity.
    std::vector<QImage> sizes;
    for (int r = 0; r < layout.rows; ++r) {
        for (int c = 0; c < layout.columns; ++c) {
            const TileRect tile{c * layout.tileWidth + layout.left, r * layout.tileHeight + layout.top,
                                layout.tileWidth, layout.tileHeight};
            const QRect pixels = Pixels(tile);
            auto same = std::find_if(sizes.begin(), sizes.end(),
                                     [&pixels](const QImage& i) { return i.size() == pixels.size(); });
            if (picture.Valid() && same == sizes.end())
                same = sizes.insert(sizes.end(), Scaled(picture, whole, pixels.size()));
            Place(pixels, picture, whole, picture.Valid() ? *same : QImage());
            changed |= QRect(tile.x, tile.y, tile.width, tile.height);
        }
    }
    return changed;
}

void TileCanvas::Paint(QPainter& painter, const QRect& area) const
{
    const InPixels inPixels(painter, ratio_);
    // Rounded outwards: the pixels the area touches.
    const QRect wanted = QRectF(QPointF(area.topLeft()) * ratio_, QSizeF(area.size()) * ratio_).toAlignedRect();
    QRegion uncovered(wanted);
    // While the board is drawn anew (a message box may show meanwhile), the
    // tiles not drawn yet still show what they showed.
    for (const std::vector<Piece>* pieces : {&previous_, &pieces_})
        for (const Piece& piece : *pieces) {
            const QRect shown = piece.pixels & wanted;
            if (shown.isEmpty()) continue;
            uncovered -= shown;
            if (piece.image.isNull()) painter.fillRect(shown, QColor(BlankTile));
            else painter.drawImage(shown.topLeft(), piece.image, shown.translated(-piece.pixels.topLeft()));
        }
    for (const QRect& margin : uncovered) painter.fillRect(margin, Qt::black);
}

QImage TileCanvas::Picture() const
{
    QImage picture(qRound(size_.width() * ratio_), qRound(size_.height() * ratio_), QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio_);
    QPainter painter(&picture);
    Paint(painter, QRect(QPoint(0, 0), size_));
    return picture;
}

std::size_t TileCanvas::HeldBytes() const
{
    std::set<qint64> counted;
    std::size_t bytes = 0;
    for (const Piece& piece : pieces_)
        if (!piece.image.isNull() && counted.insert(piece.image.cacheKey()).second) bytes += piece.image.sizeInBytes();
    return bytes;
}
