#include "engine/core/mBitmap.h"
#include "engine/sprites/mRenderer.h"

#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

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
    // So does a change of the source's own: colour 12 becomes colour 13.
    const std::uint32_t green26 = Bgr(0, 26, 0);
    source.SetColors(&green26, 12, 1);
    source.Copy(target, area, 0, 0);
    EXPECT_EQ(113, target.Row(2)[3]);

    // Whole rows between bitmaps stored in opposite row orders keep each row
    // where the picture has it.
    mBitmap upsideDown(4, 2, 8), sameWidth(4, -2, 8);
    Number(upsideDown);
    upsideDown.Copy(sameWidth, mRect{0, 0, 4, 2}, 0, 0);
    EXPECT_EQ((std::vector<int>{10, 11, 12, 13}), std::vector<int>(sameWidth.Row(1), sameWidth.Row(1) + 4));

    // Areas outside either bitmap are cut off, never written.
    source.EnableTranslation(false);
    source.Copy(target, mRect{-3, -3, 100, 100}, -3, -3);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 0, 0}), row(0));
    EXPECT_EQ((std::vector<int>{10, 11, 12, 13, 103, 0}), row(1)) << "column 4 keeps what it had";
}

// A lowered limit refuses what lies beyond it with a report, byte exact.
// The built-in colours at their fixed places, as 0xRRGGBB.
TEST(mBitmapTest, TheDefaultPaletteHoldsItsFixedColours)
{
    const auto p = mBitmap::DefaultPalette();
    const std::vector<std::pair<int, std::uint32_t>> fixed = {
        {0, 0x000000}, {1, 0xBF0000}, {4, 0x0000BF}, {7, 0xC0C0C0}, {9, 0xA4C8F0}, {246, 0xFFFBF0},
        {249, 0xFF0000}, {250, 0x00FF00}, {252, 0x0000FF}, {255, 0xFFFFFF},
    };
    for (const auto& [index, colour] : fixed) EXPECT_EQ(colour, p[std::size_t(index)] & 0xFFFFFF) << index;
    for (int n = 1; n <= 15; ++n) EXPECT_EQ(std::uint32_t(n), p[std::size_t(230 + n)] & 0xFFFFFF) << "near-black " << n;
}

TEST(mBitmapTest, APixelLimitRefusesLargerBitmaps)
{
    EngineReports boxes;
    mBitmap::SetPixelLimit(100 * 10);
    mBitmap b;
    const int fits = b.Create(100, -10, 8), beyond = b.Create(99, 11, 8);
    mBitmap::SetPixelLimit(mBitmap::DefaultPixelLimit);
    EXPECT_EQ(1, fits);
    EXPECT_EQ(0, beyond) << "100 bytes a row after padding, 1 100 in all";
    EXPECT_EQ(std::vector<std::string>{"Out of memory"}, boxes.Texts());
    EXPECT_EQ(1, b.Create(100, 11, 8));
}

// The conversion of 4-bit components to a target's colours is the nearest
// colour of each, as a plain search over the whole table finds it: the
// first entry within distance 1, else the first of the least distance.
TEST(ConversionTableTest, TablesAndTranslationsEqualTheNearestColourOfEveryEntry)
{
    std::uint32_t seed = 7;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    std::vector<std::vector<std::uint32_t>> palettes(4, std::vector<std::uint32_t>(256, 0));
    for (std::uint32_t& c : palettes[1]) c = next() & 0xFFFFFF;                   // anywhere
    for (std::uint32_t& c : palettes[2]) c = (next() & 0x0F0F0F) * 16 + 0x010000u * (next() % 2); // on the grid, or 1 off
    for (int i = 0; i < 256; ++i) palettes[3][std::size_t(i)] = Bgr(i % 3 * 16, 16, 255 - i % 5); // many equal entries
    for (const auto& palette : palettes) {
        for (int bits : {8, 4}) {
            mBitmap target(4, 4, bits);
            target.SetColors(palette.data(), 0, 1 << bits);
            const std::vector<std::uint8_t> table = mRenderer::ConversionTable(target);
            // A picture's colours translated to the target's: their own index
            // where the colour is the same, else the nearest.
            mBitmap picture(4, 4, 8);
            picture.SetColors(palettes[1].data(), 0, 256);
            picture.BuildTranslation(&target);
            for (int i = 0; i < 256; ++i) {
                const bool same = i < (1 << bits) && (palette[std::size_t(i)] & 0xFFFFFF) == (palettes[1][std::size_t(i)] & 0xFFFFFF);
                ASSERT_EQ(same ? i : target.NearestColor(palettes[1][std::size_t(i)]), picture.desc.translation[i]) << i;
            }
            for (int r = 0; r < 16; ++r)
                for (int g = 0; g < 16; ++g)
                    for (int b = 0; b < 16; ++b)
                        ASSERT_EQ(target.NearestColor(Bgr(r * 16, g * 16, b * 16)), table[std::size_t(r * 256 + g * 16 + b)])
                            << r << "," << g << "," << b << " of " << bits << " bits";
        }
    }
}

} // namespace
