// Match 4 Corners: each of a picture's four tiles shows its own quarter,
// the right way up, the middle row of an odd height in both neighbours.
#include "game/TileCanvas.h"

#include "game/TileBitmap.h"

#include <gtest/gtest.h>

namespace {

// A 100 × 75 picture as the eye sees it: quadrants of four colours, each
// with a white band along its own top edge. Stored bottom-up, 24 bits.
TileBitmap Quadrants(const QRgb colours[4])
{
    TileBitmap p;
    p.width = 100;
    p.height = 75;
    p.bitCount = 24;
    p.bits.resize(std::size_t(p.RowBytes()) * p.height);
    for (int y = 0; y < 75; ++y) // y counts from the top of the picture
        for (int x = 0; x < 100; ++x) {
            const int quadrant = (y < 38 ? 0 : 2) + (x < 50 ? 0 : 1);
            const bool band = y < 5 || (y >= 38 && y < 43);
            const QRgb c = band ? qRgb(255, 255, 255) : colours[quadrant];
            std::uint8_t* at = p.bits.data() + std::size_t(74 - y) * p.RowBytes() + x * 3;
            at[0] = std::uint8_t(qBlue(c)), at[1] = std::uint8_t(qGreen(c)), at[2] = std::uint8_t(qRed(c));
        }
    return p;
}

TEST(TileCanvasTest, EachCornerTileShowsItsQuarterUpright)
{
    // Seen: top-left, top-right, bottom-left, bottom-right.
    const QRgb seen[4] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(200, 200, 0)};
    const TileBitmap picture = Quadrants(seen);
    // Quarter 0 starts at the first stored row: the bottom of the picture.
    const int shownBy[4] = {2, 3, 0, 1};
    TileCanvas canvas;
    canvas.Resize(200, 38);
    for (int q = 0; q < 4; ++q) {
        SCOPED_TRACE(q);
        EXPECT_EQ(QRect(q * 50, 0, 50, 38), canvas.DrawDibQuarter(q, {q * 50, 0, 50, 38}, picture));
        const QImage& shown = canvas.Image();
        EXPECT_EQ(qRgb(255, 255, 255), shown.pixel(q * 50 + 25, 1)) << "its top band at the top";
        EXPECT_EQ(seen[shownBy[q]], shown.pixel(q * 50 + 25, 30));
        EXPECT_EQ(seen[shownBy[q]], shown.pixel(q * 50 + 2, 36));
        EXPECT_EQ(seen[shownBy[q]], shown.pixel(q * 50 + 47, 36));
    }
    // The middle row of 75 (row 37 from the top) ends the top quarters and
    // begins the bottom ones: it is the top quarters' last row.
    EXPECT_EQ(QRect(0, 37, 50, 38), TileCanvas::QuarterSource(2, 100, 75));
    EXPECT_EQ(QRect(50, 0, 50, 38), TileCanvas::QuarterSource(1, 100, 75));
}

} // namespace
