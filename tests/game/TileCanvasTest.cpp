// Tile pictures as drawn on the board: Match 4 Corners' quarters, and
// 8-bit faces stretched without losing their colours.
#include "game/TileCanvas.h"

#include "game/TileBitmap.h"
#include "platform/HostPathMap.h"

#include "BmpBuilder.h"
#include "TempFolder.h"
#include "doubles/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A picture of 1, 4, 8 or 24 bits, stored bottom-up as a file has it, whose
// pixel (x, y), y counted from the top, shows colours[value(x, y)]: through
// the colour table, or at 24 bits stored as blue, green, red.
template <typename Value>
TileBitmap Picture(int bits, int w, int h, const std::vector<QRgb>& colours, Value value)
{
    TileBitmap p;
    p.width = std::uint32_t(w), p.height = std::uint32_t(h), p.bitCount = std::uint16_t(bits);
    if (bits < 24)
        for (const QRgb c : colours) p.colors.push_back(c & 0xFFFFFF);
    p.bits.assign(std::size_t(p.RowBytes()) * p.height, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* row = p.bits.data() + std::size_t(h - 1 - y) * p.RowBytes();
            const int v = value(x, y);
            const QRgb c = bits == 24 ? colours[std::size_t(v)] : 0;
            if (bits == 24)
                row[x * 3] = std::uint8_t(qBlue(c)), row[x * 3 + 1] = std::uint8_t(qGreen(c)),
                        row[x * 3 + 2] = std::uint8_t(qRed(c));
            else if (bits == 8) row[x] = std::uint8_t(v);
            else if (bits == 4) row[x / 2] |= std::uint8_t(x % 2 ? v : v << 4);
            else row[x / 8] |= std::uint8_t(v << (7 - x % 8));
        }
    return p;
}

// A 100 × 75 picture as the eye sees it: quadrants of four colours, each
// with a white band along its own top edge.
TileBitmap Quadrants(const QRgb colours[4])
{
    const std::vector<QRgb> withWhite = {colours[0], colours[1], colours[2], colours[3], qRgb(255, 255, 255)};
    return Picture(24, 100, 75, withWhite, [](int x, int y) {
        const bool band = y < 5 || (y >= 38 && y < 43);
        return band ? 4 : (y < 38 ? 0 : 2) + (x < 50 ? 0 : 1);
    });
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
        const QImage shown = canvas.Picture();
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

// A flat area of an 8-bit face keeps its exact colour at any tile size,
// also beside a busy one (the size of a 6 × 6 tile on a 1280 × 800 screen).
TEST(TileCanvasTest, EightBitFacesKeepTheirColoursWhenStretched)
{
    std::vector<QRgb> table;
    for (int i = 0; i < 256; ++i) table.push_back(qRgb(i, 255 - i, i * 7 & 255));
    table[0] = qRgb(219, 251, 244);
    const TileBitmap p = Picture(8, 480, 270, table, [](int x, int y) { return x < 240 ? 0 : x * y & 255; });
    TileCanvas canvas;
    for (const QSize tile : {QSize(213, 133), QSize(320, 180), QSize(640, 360)}) {
        SCOPED_TRACE(tile.width());
        canvas.Resize(tile.width(), tile.height());
        canvas.DrawDib({0, 0, tile.width(), tile.height()}, p);
        const QImage shown = canvas.Picture();
        for (int y = 0; y < tile.height(); y += 3)
            for (int x = 0; x < tile.width() * 2 / 5; ++x)
                ASSERT_EQ(qRgb(219, 251, 244), shown.pixel(x, y)) << x << "," << y;
    }
}

// On a screen of two pixels to a unit the picture is stretched straight to
// the screen's pixels: a picture of exactly the tile's pixels shows each
// of its pixels once, not doubled. At 1.5 the tiles still touch: no pixel
// between them is left unpainted.
TEST(TileCanvasTest, TilesAreDrawnInTheScreensOwnPixels)
{
    const TileBitmap checks =
        Picture(8, 100, 76, {qRgb(255, 255, 255), qRgb(0, 0, 0)}, [](int x, int y) { return (x + y) % 2; });
    TileCanvas canvas;
    canvas.Resize(60, 40, 2);
    EXPECT_EQ(QRect(10, 0, 50, 38), canvas.DrawDib({10, 0, 50, 38}, checks)) << "the area in units";
    QImage shown = canvas.Picture();
    ASSERT_EQ(QSize(120, 80), shown.size());
    for (int y = 0; y < 76; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ((x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255), shown.pixel(20 + x, y)) << x << "," << y;

    const TileBitmap cover = Picture(8, 100, 76, {qRgb(0x30, 0x60, 0xA0)}, [](int, int) { return 0; });
    const BoardLayout layout = BoardLayout::Compute(101, 77, 4, 5);
    canvas.Resize(101, 77, 1.5);
    canvas.PaintAllCovers(layout, cover);
    shown = canvas.Picture();
    const QRect grid = canvas.Pixels({layout.left, layout.top, layout.tileWidth * 5, layout.tileHeight * 4});
    for (int y = grid.top(); y <= grid.bottom(); ++y)
        for (int x = grid.left(); x <= grid.right(); ++x) ASSERT_EQ(qRgb(0x30, 0x60, 0xA0), shown.pixel(x, y)) << x << "," << y;
}

// Every depth a face file may have shows the same picture: 1, 4 and 8 bits
// through the colour table (values beyond it black), 24 bits as stored
// blue, green, red; odd widths and the row padding included.
TEST(TileCanvasTest, EveryDepthShowsThePictureUpright)
{
    const QRgb colours[4] = {qRgb(200, 0, 0), qRgb(0, 150, 0), qRgb(0, 0, 250), qRgb(90, 90, 90)};
    const int w = 5, h = 3;
    for (const int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        const int n = bits == 1 ? 2 : 4;
        auto value = [n](int x, int y) { return (x + 2 * y) % n; };
        // At 8 bits value 3 has no entry in the table.
        const TileBitmap p = Picture(bits, w, h, {colours, colours + n - (bits == 8)}, value);
        TileCanvas canvas;
        canvas.Resize(w, h);
        canvas.DrawDib({0, 0, w, h}, p);
        const QImage shown = canvas.Picture();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int v = value(x, y);
                EXPECT_EQ(bits == 8 && v == 3 ? qRgb(0, 0, 0) : colours[v], shown.pixel(x, y)) << x << "," << y;
            }
    }
}

// The board holds one stretched copy per picture and tile size, not a copy
// of the screen: tiles showing the same file share it, a file changed on
// disk is stretched anew, a picture no tile shows is let go, and a board
// drawn anew on another grid leaves no trace of the old one in its margins.
TEST(TileCanvasTest, HoldsOneCopyPerPictureShownAndNothingElse)
{
    TempFolder folder;
    ScriptedMessageBoxes boxes;
    platform::HostPathMap paths;
    const std::string facePath = folder.Write("face.bmp", BmpBuilder::Solid(40, 30, 24, 0x0000C0).Bytes());
    TileBitmap face, cover;
    ASSERT_TRUE(LoadDib(folder.Write("cover.bmp", BmpBuilder::Solid(40, 30, 24, 0x808080).Bytes()), cover, boxes, paths));
    TileCanvas canvas;
    canvas.Resize(205, 60);
    auto draw = [&](int tile, const std::string& path) { // read for each tile, as the board does
        ASSERT_TRUE(LoadDib(path, face, boxes, paths));
        canvas.DrawDib({tile * 50, 0, 50, 60}, face);
    };
    auto shown = [&canvas](int x) { return canvas.Picture().pixel(x, 30); };
    const std::size_t tileBytes = 50 * 60 * 4;

    draw(0, facePath), draw(1, facePath);
    EXPECT_EQ(tileBytes, canvas.HeldBytes()) << "two tiles, one file";
    // Rewritten in place with another colour, as an editor saves it.
    folder.Write("face.bmp", BmpBuilder::Solid(40, 30, 24, 0xC00000).Bytes());
    std::filesystem::last_write_time(facePath, std::filesystem::last_write_time(facePath) + std::chrono::seconds(2));
    draw(2, facePath);
    EXPECT_EQ(qRgb(0, 0, 0xC0), shown(25)); // stored blue, green, red
    EXPECT_EQ(qRgb(0xC0, 0, 0), shown(125)) << "the changed file";
    canvas.DrawDib({0, 0, 50, 60}, cover), canvas.DrawDib({50, 0, 50, 60}, cover);
    EXPECT_EQ(2 * tileBytes, canvas.HeldBytes()) << "the first version is shown nowhere now";

    // Three tiles of 65 now: where the old fourth tile lay is margin.
    canvas.DrawDib({150, 0, 50, 60}, cover);
    canvas.Redraw([&] {
        EXPECT_EQ(qRgb(0x80, 0x80, 0x80), shown(175)) << "the old board until drawn over, as behind a message box";
        for (int i = 0; i < 3; ++i) canvas.DrawDib({i * 65, 0, 65, 60}, cover);
    });
    EXPECT_EQ(qRgb(0, 0, 0), shown(196));
    EXPECT_EQ(std::size_t(65 * 60 * 4), canvas.HeldBytes());
    // A board of covers of one size shares one copy, also of a picture
    // that no file names.
    TileBitmap unnamed = cover;
    unnamed.identity = 0;
    const BoardLayout covers = BoardLayout::Compute(205, 60, 2, 4);
    canvas.PaintAllCovers(covers, unnamed);
    EXPECT_EQ(std::size_t(covers.tileWidth * covers.tileHeight * 4), canvas.HeldBytes());
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
