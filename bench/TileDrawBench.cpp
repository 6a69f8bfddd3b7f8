// What a turned tile and a repaint cost: turning is reading a face,
// stretching it for a tile of a 4 × 4 board (the largest tiles) and showing
// that tile; the repaint shows the cover in all 72 tiles of an 8 × 9 board,
// then all 72 faces (36 pictures, each on two tiles): first revealed, each
// picture read and stretched, then painted again as after a message box,
// each read again. On a 1920 × 1080 screen with 128 × 128 faces, and on a
// 3840 × 2160 one at 200 % (the board in the screen's own pixels) with faces
// of 480 × 270 and of 960 × 540, the size its largest tiles have there. Each
// is set against a plain copy of the same output pixels.
#include "game/BoardLayout.h"
#include "game/TileBitmap.h"
#include "game/TileCanvas.h"
#include "platform/HostPathMap.h"

#include "../tests/BmpBuilder.h"
#include "../tests/doubles/ScriptedMessageBoxes.h"
#include "../tests/TempFolder.h"

#include <QPainter>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

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
BmpBuilder Pattern(int w, int h, std::uint16_t bits, int seed = 0)
{
    BmpBuilder b = BmpBuilder::Solid(w, h, bits, 0);
    for (std::size_t i = 0; i < b.colors.size(); ++i) b.colors[i] = std::uint32_t(i * 0x010307) & 0xFFFFFF;
    for (std::size_t i = 0; i < b.pixels.size(); ++i) b.pixels[i] = std::uint8_t(i * 7 + i / 97 + seed);
    return b;
}

// The faces of a revealed 8 × 9 board: 36 pictures of one size.
std::vector<std::string> Faces(TempFolder& folder, int w, int h, std::uint16_t bits)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 36; ++i)
        paths.push_back(folder.Write(std::to_string(w) + "-" + std::to_string(i) + ".bmp", Pattern(w, h, bits, i).Bytes()));
    return paths;
}

// Shows an area of the board as the window's paint event does.
void Show(const TileCanvas& canvas, QImage& screen, const QRect& area)
{
    QPainter painter(&screen);
    canvas.Paint(painter, area);
}

// Copies a tile's worth of pixels from one image into another, row by row.
void PlainCopy(const QImage& from, QImage& to, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(to.scanLine(y) + area.left() * 4, from.constScanLine(y) + area.left() * 4,
                    std::size_t(area.width()) * 4);
}

// The screen's pixels and a second image as large to copy from. Made once
// for all runs: blocks freed and taken again between runs land elsewhere in
// memory and made the plain copy of a later run several times slower.
struct Screen {
    Screen(int width, int height, qreal ratio)
        : source(width, height, QImage::Format_RGB32), shown(source.size(), QImage::Format_RGB32)
    {
        source.fill(Qt::gray);
        shown.fill(Qt::black);
        shown.setDevicePixelRatio(ratio);
    }
    QImage source;
    QImage shown;
};

void Run(int screenW, int screenH, qreal ratio, const std::vector<std::string>& faces, const std::string& coverPath,
         Screen& pixels, platform::MessageBoxes& boxes)
{
    platform::HostPathMap paths;
    TileCanvas canvas;
    canvas.Resize(screenW, screenH, ratio);
    const QImage& source = pixels.source;
    QImage& screen = pixels.shown;
    const QRect whole(0, 0, screenW, screenH);

    const BoardLayout large = BoardLayout::Compute(screenW, screenH, 4, 4);
    const TileRect tile = large.RectOf(5);
    const QRect tilePixels = canvas.Pixels(tile);
    TileBitmap face;
    int turned = 0;
    const double turn = MicrosecondsPerCall(100, [&] {
        // A face other than the one the tile shows: stretched anew.
        LoadDib(faces[std::size_t(turned++ % 36)], face, boxes, paths);
        Show(canvas, screen, canvas.DrawDib(tile, face));
    });
    const double tileCopy = MicrosecondsPerCall(300, [&] { PlainCopy(source, screen, tilePixels); });

    const BoardLayout full = BoardLayout::Compute(screenW, screenH, 8, 9);
    TileBitmap cover;
    LoadDib(coverPath, cover, boxes, paths);
    const double covers = MicrosecondsPerCall(20, [&] { Show(canvas, screen, canvas.PaintAllCovers(full, cover)); });
    auto drawFaces = [&] {
        for (int i = 0; i < 72; ++i) {
            LoadDib(faces[std::size_t(i % 36)], face, boxes, paths);
            canvas.DrawDib(full.RectOf(i), face);
        }
    };
    const double reveal = MicrosecondsPerCall(5, [&] {
        canvas.PaintAllCovers(full, cover);
        drawFaces();
        Show(canvas, screen, whole);
    });
    // As the window does after a message box: the whole board drawn anew.
    const double faceUpRepaint = MicrosecondsPerCall(5, [&] {
        canvas.Redraw(drawFaces);
        Show(canvas, screen, whole);
    });
    const double boardCopy = MicrosecondsPerCall(20, [&] { PlainCopy(source, screen, source.rect()); });

    std::printf("%dx%d at %.0f%%, face %ux%u:\n", screenW, screenH, ratio * 100, face.width, face.height);
    std::printf("  turn a tile (%dx%d pixels): %.0f us, plain copy %.1f us, ratio %.0f\n", tilePixels.width(),
                tilePixels.height(), turn, tileCopy, turn / tileCopy);
    std::printf("  show 8x9 covers: %.0f us, plain copy %.0f us, ratio %.1f\n", covers, boardCopy, covers / boardCopy);
    std::printf("  reveal 8x9 faces: %.0f us, ratio %.0f; repaint them: %.0f us, ratio %.1f to the plain copy\n", reveal,
                reveal / boardCopy, faceUpRepaint, faceUpRepaint / boardCopy);
    std::printf("  held for the board: %.1f MB, the screen's pixels %.1f MB\n", double(canvas.HeldBytes()) / 1048576.0,
                double(source.sizeInBytes()) / 1048576.0);
}

} // namespace

int main()
{
    TempFolder folder;
    const std::string cover = folder.Write("cover.bmp", Pattern(480, 270, 24).Bytes());
    ScriptedMessageBoxes boxes;
    Screen fullHd(1920, 1080, 1), fourK(3840, 2160, 2);
    Run(1920, 1080, 1, Faces(folder, 128, 128, 8), cover, fullHd, boxes);
    Run(1920, 1080, 2, Faces(folder, 480, 270, 24), cover, fourK, boxes);
    // Faces as large as a 4 × 4 tile there.
    Run(1920, 1080, 2, Faces(folder, 960, 540, 24), cover, fourK, boxes);
    return boxes.shown.empty() ? 0 : 1;
}
