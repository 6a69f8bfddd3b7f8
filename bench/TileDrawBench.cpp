// What a turned tile and a repaint cost: turning is reading a face and
// stretching it into a tile of a 4 × 4 board (the largest tiles); the repaint
// draws the cover into all 72 tiles of an 8 × 9 board, and then all 72 faces.
// On a 1920 × 1080 screen with a 128 × 128 face, and on a 3840 × 2160 one at
// 200 % (the board in the screen's own pixels) with a face of the pack's
// size and one of the size its largest tiles have there. Each is set against
// a plain copy of the same output pixels.
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

void Run(int screenW, int screenH, qreal ratio, const std::string& facePath, const std::string& coverPath,
         platform::MessageBoxes& boxes)
{
    platform::HostPathMap paths;
    TileCanvas canvas;
    canvas.Resize(screenW, screenH, ratio);
    QImage source(canvas.Image().size(), QImage::Format_RGB32);
    source.fill(Qt::gray);
    QImage target = source;

    const BoardLayout large = BoardLayout::Compute(screenW, screenH, 4, 4);
    const TileRect tile = large.RectOf(5);
    const QRect tilePixels = canvas.Pixels(tile);
    TileBitmap face;
    const double turn = MicrosecondsPerCall(100, [&] {
        LoadDib(facePath, face, boxes, paths);
        canvas.DrawDib(tile, face);
    });
    const double tileCopy = MicrosecondsPerCall(300, [&] { PlainCopy(source, target, tilePixels); });

    const BoardLayout full = BoardLayout::Compute(screenW, screenH, 8, 9);
    TileBitmap cover;
    LoadDib(coverPath, cover, boxes, paths);
    const double repaint = MicrosecondsPerCall(20, [&] {
        for (int i = 0; i < 72; ++i) canvas.DrawDib(full.RectOf(i), cover);
    });
    const double firstPaint = MicrosecondsPerCall(20, [&] { canvas.PaintAllCovers(full, cover); });
    // Every tile face up: each is read from its file and stretched anew.
    const double faceUpRepaint = MicrosecondsPerCall(5, [&] {
        for (int i = 0; i < 72; ++i) {
            LoadDib(facePath, face, boxes, paths);
            canvas.DrawDib(full.RectOf(i), face);
        }
    });
    const double boardCopy = MicrosecondsPerCall(20, [&] { PlainCopy(source, target, source.rect()); });

    std::printf("%dx%d at %.0f%%, face %ux%u:\n", screenW, screenH, ratio * 100, face.width, face.height);
    std::printf("  turn a tile (%dx%d pixels): %.0f us, plain copy %.1f us, ratio %.0f\n", tilePixels.width(),
                tilePixels.height(), turn, tileCopy, turn / tileCopy);
    std::printf("  repaint 8x9 covers: %.0f us, first paint %.0f us, plain copy %.0f us, ratios %.1f and %.1f\n",
                repaint, firstPaint, boardCopy, repaint / boardCopy, firstPaint / boardCopy);
    std::printf("  repaint 8x9 all face up: %.0f us, ratio %.0f to the plain copy\n", faceUpRepaint,
                faceUpRepaint / boardCopy);
}

} // namespace

int main()
{
    TempFolder folder;
    const std::string small = folder.Write("face.bmp", Pattern(128, 128, 8).Bytes());
    const std::string large = folder.Write("large.bmp", Pattern(480, 270, 24).Bytes());
    const std::string cover = folder.Write("cover.bmp", Pattern(480, 270, 24).Bytes());
    ScriptedMessageBoxes boxes;
    Run(1920, 1080, 1, small, cover, boxes);
    Run(1920, 1080, 2, large, cover, boxes);
    // Faces made with --size 960x540, the size a 4 × 4 tile has there.
    const std::string huge = folder.Write("huge.bmp", Pattern(960, 540, 24).Bytes());
    Run(1920, 1080, 2, huge, cover, boxes);
    return boxes.shown.empty() ? 0 : 1;
}
