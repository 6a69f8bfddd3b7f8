#include "game/TileCanvas.h"

#include "game/TileBitmap.h"

#include "BmpBuilder.h"

#include <gtest/gtest.h>

namespace {

// A picture whose stored rows are given top row last, as files keep them:
// row 0 of `rows` is the bottom of the picture.
TileBitmap Indexed(std::uint16_t bits, int width, const std::vector<std::vector<int>>& rows,
                   std::vector<std::uint32_t> colours)
{
    TileBitmap p;
    p.width = std::uint32_t(width);
    p.height = std::uint32_t(rows.size());
    p.bitCount = bits;
    p.clrUsed = std::uint32_t(colours.size());
    p.colors = std::move(colours);
    p.sizeImage = p.RowBytes() * p.height;
    p.bits.assign(p.sizeImage, 0);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (int x = 0; x < width; ++x) {
            const int v = rows[y][std::size_t(x)];
            const std::size_t bitPos = std::size_t(x) * bits;
            const int shift = 8 - bits - int(bitPos % 8);
            p.bits[y * p.RowBytes() + bitPos / 8] |= std::uint8_t(v << shift);
        }
    return p;
}

TEST(TileCanvasTest, QuartersTakeTheLargerHalfFromTheFirstStoredRow)
{
    EXPECT_EQ(QRect(0, 0, 50, 38), TileCanvas::QuarterSource(0, 100, 75));
    EXPECT_EQ(QRect(50, 0, 50, 38), TileCanvas::QuarterSource(1, 100, 75));
    EXPECT_EQ(QRect(0, 37, 50, 38), TileCanvas::QuarterSource(2, 100, 75));
    EXPECT_EQ(QRect(50, 37, 50, 38), TileCanvas::QuarterSource(3, 100, 75));
}

TEST(TileCanvasTest, DrawsEveryDepthUprightAndStretchedExactlyIntoTheTile)
{
    const std::uint32_t red = 0xFF0000, blue = 0x0000FF;
    // Bottom row red, top row blue, in each depth.
    for (std::uint16_t bits : {std::uint16_t(1), std::uint16_t(4), std::uint16_t(8)}) {
        SCOPED_TRACE(bits);
        TileCanvas canvas;
        canvas.Resize(100, 100);
        const TileBitmap p = Indexed(bits, 3, {{1, 1, 1}, {0, 0, 0}}, {blue, red});
        const QRect changed = canvas.DrawDib({10, 20, 30, 40}, p);
        EXPECT_EQ(QRect(10, 20, 30, 40), changed);
        const QImage& im = canvas.Image();
        EXPECT_EQ(qRgb(0, 0, 255), im.pixel(25, 22)) << "top of the tile";
        EXPECT_EQ(qRgb(255, 0, 0), im.pixel(25, 58)) << "bottom of the tile";
        EXPECT_EQ(qRgb(0, 0, 0), im.pixel(9, 40)) << "left of the tile is untouched";
        EXPECT_EQ(qRgb(0, 0, 0), im.pixel(40, 40)) << "right of the tile is untouched";
    }
}

TEST(TileCanvasTest, AQuarterFillsTheWholeTile)
{
    // Four colours in the four corners of a 2 × 2 picture; quarter 3 is the
    // right half of the second stored row, the top right corner.
    TileBitmap p = Indexed(8, 2, {{0, 1}, {2, 3}}, {0x000010, 0x000020, 0x000030, 0x000040});
    TileCanvas canvas;
    canvas.Resize(50, 50);
    canvas.DrawDibQuarter(3, {0, 0, 50, 50}, p);
    EXPECT_EQ(qRgb(0, 0, 0x40), canvas.Image().pixel(0, 0));
    EXPECT_EQ(qRgb(0, 0, 0x40), canvas.Image().pixel(49, 49));
}

TEST(TileCanvasTest, IndexesBeyondTheTableAndInvalidPicturesDrawNoStrayColours)
{
    TileCanvas canvas;
    canvas.Resize(20, 10);
    canvas.DrawDib({0, 0, 10, 10}, Indexed(8, 1, {{200}}, {0xFFFFFF}));
    EXPECT_EQ(qRgb(0, 0, 0), canvas.Image().pixel(5, 5));

    canvas.DrawDib({10, 0, 10, 10}, TileBitmap{});
    const QRgb blank = canvas.Image().pixel(15, 5);
    EXPECT_NE(qRgb(0, 0, 0), blank) << "the tile is marked, not left as it was";
    BoardLayout layout = BoardLayout::Compute(20, 10, 1, 2);
    canvas.PaintAllCovers(layout, TileBitmap{});
    EXPECT_EQ(blank, canvas.Image().pixel(5, 5));
}

TEST(TileCanvasTest, AReloadedPictureIsDrawnAnewAtTheSameSize)
{
    TileCanvas canvas;
    canvas.Resize(40, 20);
    TileBitmap cover;
    for (std::uint32_t colour : {0x102030u, 0x405060u, 0x102030u}) {
        std::string bytes = BmpBuilder::Solid(8, 8, 24, colour).Bytes();
        std::FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
        ASSERT_TRUE(ReadDib(file, cover));
        std::fclose(file);
        canvas.DrawDib({0, 0, 20, 20}, cover);
        canvas.DrawDib({20, 0, 20, 20}, cover);
        EXPECT_EQ(0xFF000000u | colour, canvas.Image().pixel(5, 5));
        EXPECT_EQ(0xFF000000u | colour, canvas.Image().pixel(35, 5));
    }
}

} // namespace
