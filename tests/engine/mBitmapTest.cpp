#include "engine/core/mBitmap.h"

#include "doubles/EngineReports.h"
#include "platform/RgbSurface.h"

#include <gtest/gtest.h>

#include <climits>

#include <algorithm>

namespace {

constexpr std::uint32_t Bgr(int r, int g, int b)
{
    return std::uint32_t(b) | std::uint32_t(g) << 8 | std::uint32_t(r) << 16;
}

// Fills the bitmap with x + 10 × y, row by row as the picture shows it.
void Number(mBitmap& b)
{
    for (int y = 0; y < b.desc.height; ++y)
        for (int x = 0; x < b.desc.width; ++x) b.Row(y)[x] = std::uint8_t(x + 10 * y);
}

TEST(mBitmapTest, StridesRowStepsAndBothStorageOrders)
{
    mBitmap up(10, 3, 8);
    EXPECT_EQ(12, up.desc.stride);
    EXPECT_EQ(-12, up.desc.rowStep);
    EXPECT_EQ(up.desc.bits + 24, up.desc.topRow);
    mBitmap down(10, -3, 8);
    EXPECT_EQ(12, down.desc.rowStep);
    EXPECT_EQ(down.desc.bits, down.desc.topRow);
    EXPECT_EQ(256u, std::size_t(1) << down.desc.bitCount);
    EXPECT_EQ(Bgr(255, 255, 255), down.desc.colours[255]);
    EXPECT_EQ(Bgr(191, 0, 0), down.desc.colours[1]);
    EXPECT_EQ(Bgr(0, 0, 15), down.desc.colours[245]);

    Number(up);
    const std::vector<std::uint8_t> before(up.desc.bits, up.desc.bits + 36);
    up.SetTopDown(true);
    EXPECT_EQ(up.desc.bits, up.desc.topRow);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(10 * y, up.Row(y)[0]) << "the picture is unchanged";
    up.SetTopDown(false);
    EXPECT_EQ(before, std::vector<std::uint8_t>(up.desc.bits, up.desc.bits + 36));
}

TEST(mBitmapTest, ColoursAreWrittenWithinTheTableAndCountAsAChange)
{
    mBitmap b(4, 4, 8);
    std::uint32_t entries[10];
    for (int i = 0; i < 10; ++i) entries[i] = Bgr(i, i, i);
    const std::uint32_t version = b.desc.paletteVersion;
    b.SetColors(entries, 250, 10);
    EXPECT_EQ(Bgr(5, 5, 5), b.desc.colours[255]);
    EXPECT_EQ(Bgr(0, 0, 0), b.desc.colours[250]);
    EXPECT_EQ(version + 1, b.desc.paletteVersion);
    b.SetColors(entries, 257, 1);
    EXPECT_EQ(version + 1, b.desc.paletteVersion);
}

TEST(mBitmapTest, NearestColourAndTranslationTables)
{
    mBitmap source(4, 1, 8), target(4, 1, 8);
    std::uint32_t ownColours[3] = {Bgr(0, 0, 0), Bgr(250, 10, 10), Bgr(1, 200, 1)};
    source.SetColors(ownColours, 0, 3);
    std::uint32_t theirs[256] = {};
    for (int i = 0; i < 256; ++i) theirs[i] = Bgr(100, 100, 100);
    theirs[0] = Bgr(0, 0, 0);
    theirs[7] = Bgr(255, 0, 0);
    theirs[9] = Bgr(0, 0, 1); // near black, after the black of entry 0
    theirs[12] = Bgr(0, 210, 0);
    target.SetColors(theirs, 0, 256);
    EXPECT_EQ(0, target.NearestColor(Bgr(1, 0, 0))) << "a distance below 2 ends the search";
    EXPECT_EQ(7, target.NearestColor(Bgr(250, 10, 10)));

    EXPECT_EQ(1, source.BuildTranslation(&target));
    EXPECT_EQ(0, source.desc.translation[0]);
    EXPECT_EQ(7, source.desc.translation[1]);
    EXPECT_EQ(12, source.desc.translation[2]);

    mBitmap twin(4, 1, 8);
    twin.SetColors(theirs, 0, 256);
    EXPECT_EQ(0, twin.BuildTranslation(&target)) << "equal tables need no translation";
    EXPECT_EQ(0, source.BuildTranslation(nullptr));
}

TEST(mBitmapTest, CopiesPlainTransparentTranslatedAndBoth)
{
    mBitmap source(4, 2, 8), target(6, -4, 8);
    Number(source); // row 0: 0 1 2 3, row 1: 10 11 12 13
    // Source colour k is the target's colour k + 100, and no other target
    // colour lies near it: translation adds 100.
    std::uint32_t colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = Bgr(0, std::min(2 * i, 255), 0);
    source.SetColors(colours, 0, 256);
    for (int i = 0; i < 256; ++i) colours[i] = i < 100 ? Bgr(255, 0, 255) : Bgr(0, std::min(2 * (i - 100), 255), 0);
    target.SetColors(colours, 0, 256);
    const mRect area{1, 1, 5, 3};
    auto row = [&](int y) { return std::vector<int>(target.Row(y), target.Row(y) + 6); };

    target.FillRects(99, &area, 1);
    source.Copy(target, area, 0, 0);
    EXPECT_EQ((std::vector<int>{0, 0, 1, 2, 3, 0}), row(1));
    EXPECT_EQ((std::vector<int>{0, 10, 11, 12, 13, 0}), row(2));

    target.FillRects(99, &area, 1);
    source.SetTransparentIndex(11);
    source.Copy(target, area, 0, 0);
    EXPECT_EQ((std::vector<int>{0, 10, 99, 12, 13, 0}), row(2));

    target.FillRects(99, &area, 1);
    source.EnableTranslation(true);
    source.Copy(target, area, 0, 0);
    EXPECT_EQ((std::vector<int>{0, 110, 99, 112, 113, 0}), row(2));

    source.EnableTransparency(false);
    source.Copy(target, area, 0, 0);
    EXPECT_EQ((std::vector<int>{0, 110, 111, 112, 113, 0}), row(2));

    // A change of the target's colours rebuilds the table: colour 11 now
    // lies at index 5 too, and the lower index wins.
    colours[5] = Bgr(0, 22, 0);
    target.SetColors(colours, 0, 256);
    source.Copy(target, area, 0, 0);
    EXPECT_EQ(5, target.Row(2)[2]);

    // Areas outside either bitmap are cut off, never written.
    source.EnableTranslation(false);
    source.Copy(target, mRect{-3, -3, 100, 100}, -3, -3);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 0, 0}), row(0));
    EXPECT_EQ((std::vector<int>{10, 11, 12, 13, 103, 0}), row(1)) << "column 4 keeps what it had";
}

TEST(mBitmapTest, FillsOneColumnWideAndClipsRectangles)
{
    mBitmap b(5, 3, 8);
    const mRect rects[2] = {{2, 0, 3, 3}, {-5, -5, 1, 1}};
    b.FillRects(7, rects, 2);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(7, b.Row(y)[2]);
    EXPECT_EQ(7, b.Row(0)[0]);
    EXPECT_EQ(0, b.Row(1)[0]);
}

TEST(mBitmapTest, IdentityPaletteKeepsColoursBetweenBlackAndWhite)
{
    mBitmap b(2, 2, 8);
    std::uint32_t grey = Bgr(9, 9, 9);
    b.SetColors(&grey, 0, 1);
    b.SetColors(&grey, 255, 1);
    const mBitmap::Palette p = b.CreateIdentityPalette();
    EXPECT_EQ(0u, p[0]);
    EXPECT_EQ(Bgr(255, 255, 255), p[255]);
    EXPECT_EQ(Bgr(102, 153, 0), p[100]) << "the colour cube's entry stays";
    EXPECT_EQ(Bgr(255, 255, 255), b.desc.colours[255]);
}

TEST(mBitmapTest, DrawsARectangleToASurfaceThroughItsColours)
{
    mBitmap stage(4, 3, 8); // bottom-up, as the stage is
    Number(stage);
    std::uint32_t colours[256];
    for (int i = 0; i < 256; ++i) colours[i] = Bgr(i, 255 - i, 7);
    stage.SetColors(colours, 0, 256);
    platform::RgbSurface window(5, 5);
    stage.DrawToDC(window, mRect{2, 1, 5, 3}, 1, 1);
    EXPECT_EQ(0xFF000000u | Bgr(11, 244, 7), window.At(2, 1));
    EXPECT_EQ(0xFF000000u | Bgr(23, 232, 7), window.At(4, 2));
    EXPECT_EQ(0u, window.At(1, 1)) << "outside the rectangle nothing changes";
    EXPECT_EQ(3, window.LastArea().width);
    stage.DrawToDC(window, mRect{3, 3, 9, 9}, 2, 1);
    EXPECT_EQ(2, window.LastArea().width) << "cut to the window and to the bitmap";
    EXPECT_EQ(2, window.LastArea().height);
}

TEST(mBitmapTest, AbsurdSizesFailWithAReport)
{
    EngineReports boxes;
    mBitmap b;
    EXPECT_EQ(0, b.Create(65535, 65535, 8));
    EXPECT_EQ(1, b.desc.width);
    // Sizes whose products overflow 32 bits (the sanitizer build checks).
    EXPECT_EQ(0, b.Create(INT_MAX, 1, 32));
    EXPECT_EQ(0, b.Create(1 << 20, INT_MIN, 8));
    ASSERT_EQ(3u, boxes.shown.size());
    EXPECT_EQ("Out of memory", boxes.shown[0].text);
}

} // namespace
