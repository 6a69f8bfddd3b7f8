#include "PaletteQuantizer.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Pixels = std::vector<QRgb>;

int Channel(QRgb c, int channel)
{
    return channel == 0 ? qRed(c) : channel == 1 ? qGreen(c) : qBlue(c);
}

// The channel with the widest range in the box, and that range.
std::pair<int, int> WidestChannel(Pixels::const_iterator begin, Pixels::const_iterator end)
{
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    for (auto it = begin; it != end; ++it)
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], Channel(*it, c));
            hi[c] = std::max(hi[c], Channel(*it, c));
        }
    int best = 0;
    for (int c = 1; c < 3; ++c)
        if (hi[c] - lo[c] > hi[best] - lo[best]) best = c;
    return {best, hi[best] - lo[best]};
}

QRgb Average(Pixels::const_iterator begin, Pixels::const_iterator end)
{
    long long r = 0, g = 0, b = 0, n = std::max<long long>(1, end - begin);
    for (auto it = begin; it != end; ++it) {
        r += qRed(*it);
        g += qGreen(*it);
        b += qBlue(*it);
    }
    return qRgb(int(r / n), int(g / n), int(b / n));
}

struct Box {
    std::size_t begin, end;
};

} // namespace

QVector<QRgb> PaletteQuantizer::MedianCut(const QImage& picture, int colours)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    Pixels pixels;
    pixels.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        pixels.insert(pixels.end(), row, row + rgb.width());
    }
    std::vector<Box> boxes{{0, pixels.size()}};
    while (int(boxes.size()) < colours) {
        // Split the box with the widest spread at its median.
        int widest = -1, spread = 0, channel = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            auto [c, s] = WidestChannel(pixels.begin() + long(boxes[i].begin), pixels.begin() + long(boxes[i].end));
            if (s > spread) widest = int(i), spread = s, channel = c;
        }
        if (widest < 0) break;
        Box& box = boxes[std::size_t(widest)];
        const auto first = pixels.begin() + long(box.begin), last = pixels.begin() + long(box.end);
        const auto middle = first + (last - first) / 2;
        std::nth_element(first, middle, last,
                         [channel](QRgb a, QRgb b) { return Channel(a, channel) < Channel(b, channel); });
        const std::size_t split = std::size_t(middle - pixels.begin());
        boxes.push_back({split, box.end});
        boxes[std::size_t(widest)].end = split;
    }
    QVector<QRgb> table;
    for (const Box& box : boxes) table.push_back(Average(pixels.begin() + long(box.begin), pixels.begin() + long(box.end)));
    return table;
}

QImage PaletteQuantizer::ToIndexed8(const QImage& picture)
{
    // A picture of few colours keeps them: dithering would speckle its flat areas.
    const QImage exact = ExactIndexed8(picture);
    if (!exact.isNull()) return exact;
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    return rgb.convertToFormat(QImage::Format_Indexed8, MedianCut(rgb, 256), Qt::DiffuseDither);
}

QImage PaletteQuantizer::ExactIndexed8(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> table;
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    QHash<QRgb, uchar> index;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = row[x] | 0xFF000000u;
            auto found = index.constFind(c);
            if (found == index.constEnd()) {
                if (table.size() == 256) return {};
                found = index.insert(c, uchar(table.size()));
                table.push_back(c);
            }
            to[x] = *found;
        }
    }
    indexed.setColorTable(table);
    return indexed;
}
