// What a turned tile and a repaint cost: turning is reading a 128 × 128
// picture and stretching it into a tile of a 1920 × 1080 board (4 × 4, the
// largest tiles); the repaint draws the cover into all 72 tiles of an 8 × 9
// board, and then all 72 faces. Each is set against a plain copy of the same
// output pixels.
#include "game/BoardLayout.h"
#include "game/TileBitmap.h"
#include "game/TileCanvas.h"
#include "platform/HostPathMap.h"

#include "../tests/BmpBuilder.h"
#include "../tests/doubles/ScriptedMessageBoxes.h"
#include "../tests/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr int ScreenW = 1920, ScreenH = 1080;

template <typename Body> double MicrosecondsPerCall(int calls, Body body)
{
    body(); // warm caches and allocators
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) body();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

// A picture with detail in it, so that scaling has work to do.
BmpBuilder Pattern(int w, int h, std::uint16_t bits)
{
    BmpBuilder b = BmpBuilder::Solid(w, h, bits, 0);
    for (std::size_t i = 0; i < b.colors.size(); ++i) b.colors[i] = std::uint32_t(i * 0x010307) & 0xFFFFFF;
    for (std::size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = std::uint8_t(i * 7 + i / 97);
    return b;
}

// Copies a tile's worth of pixels from one image into another, row by row.
void PlainCopy(const QImage& from, QImage& to, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(to.scanLine(y) + area.left() * 4, from.constScanLine(y) + area.left() * 4,
                    std::size_t(area.width()) * 4);
}

} // namespace

int main()
{
    TempFolder folder;
    folder.Write("face.bmp", Pattern(128, 128, 8).Bytes());
    folder.Write("cover.bmp", Pattern(480, 270, 24).Bytes());
    ScriptedMessageBoxes boxes;
    platform::HostPathMap paths;
    TileCanvas canvas;
    canvas.Resize(ScreenW, ScreenH);
    QImage source(ScreenW, ScreenH, QImage::Format_RGB32);
    source.fill(Qt::gray);
    QImage target = source;

    const BoardLayout large = BoardLayout::Compute(ScreenW, ScreenH, 4, 4);
    const TileRect tile = large.RectOf(5);
    TileBitmap face;
    const double turn = MicrosecondsPerCall(300, [&] {
        LoadDib(folder / "face.bmp", face, boxes, paths);
        canvas.DrawDib(tile, face);
    });
    const double tileCopy = MicrosecondsPerCall(300, [&] {
        PlainCopy(source, target, QRect(tile.x, tile.y, tile.width, tile.height));
    });

    const BoardLayout full = BoardLayout::Compute(ScreenW, ScreenH, 8, 9);
    TileBitmap cover;
    LoadDib(folder / "cover.bmp", cover, boxes, paths);
    const double repaint = MicrosecondsPerCall(20, [&] {
        for (int i = 0; i < 72; ++i) canvas.DrawDib(full.RectOf(i), cover);
    });
    const double firstPaint = MicrosecondsPerCall(20, [&] { canvas.PaintAllCovers(full, cover); });
    // Every tile face up: each is read from its file and stretched anew.
    const double faceUpRepaint = MicrosecondsPerCall(5, [&] {
        for (int i = 0; i < 72; ++i) {
            LoadDib(folder / "face.bmp", face, boxes, paths);
            canvas.DrawDib(full.RectOf(i), face);
        }
    });
    const double boardCopy = MicrosecondsPerCall(20, [&] { PlainCopy(source, target, source.rect()); });

    std::printf("turn a tile (%dx%d): %.0f us, plain copy %.1f us, ratio %.0f\n", tile.width, tile.height, turn,
                tileCopy, turn / tileCopy);
    std::printf("repaint 8x9 covers: %.0f us, first paint %.0f us, plain copy %.0f us, ratios %.1f and %.1f\n",
                repaint, firstPaint, boardCopy, repaint / boardCopy, firstPaint / boardCopy);
    std::printf("repaint 8x9 all face up: %.0f us, ratio %.0f to the plain copy\n", faceUpRepaint,
                faceUpRepaint / boardCopy);
    return boxes.shown.empty() ? 0 : 1;
}
