#include "platform/ChannelSumTable.h"

#include "engine/core/mBitmap.h"
#include "engine/sprites/mRenderer.h"
#include "platform/AvVideoDecompressor.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The movie palette's table converted many pixels at a time: every pixel
// gets the table's own entry for the top four bits of its components. Every
// 15- and 16-bit value, and every key as 3-byte pixels in both orders with
// random low bits, in rows whose length is no multiple of the pieces.
TEST(ChannelSumTableTest, EveryPixelGetsTheMovieTablesEntry)
{
    std::uint32_t colours[256];
    for (std::size_t i = 0; i < 256; ++i) colours[i] = platform::AvVideoDecompressor::TrueColourPalette()[i] & 0xFFFFFF;
    mBitmap frame(1, 1, 8);
    frame.SetColors(colours, 0, 256);
    const std::vector<std::uint8_t> table = mRenderer::ConversionTable(frame);
    platform::ChannelSumTable sums;
#if defined(__x86_64__) && defined(__GNUC__)
    EXPECT_EQ(bool(__builtin_cpu_supports("avx2")), sums.Use(table.data())) << "the cube's table is such a sum";
#endif
    sums.Use(table.data());

    const int words = 65536 - 7;
    std::vector<std::uint8_t> in(2 * 65536), to(65536);
    for (int v = 0; v < 65536; ++v) in[std::size_t(2 * v)] = std::uint8_t(v), in[std::size_t(2 * v + 1)] = std::uint8_t(v >> 8);
    for (const bool green6 : {false, true}) {
        sums.ConvertWords(in.data(), to.data(), words, green6);
        for (int v = 0; v < words; ++v) {
            const int red = green6 ? v >> 11 : v >> 10 & 31, green = green6 ? v >> 5 & 63 : v >> 5 & 31, blue = v & 31;
            const int key = (red >> 1) << 8 | (green6 ? green >> 2 : green >> 1) << 4 | blue >> 1;
            ASSERT_EQ(table[std::size_t(key)], to[std::size_t(v)]) << "value " << v << (green6 ? " (565)" : " (555)");
        }
    }

    const int width = 4096 + 13;
    std::mt19937 random(11);
    in.assign(3 * std::size_t(width), 0);
    for (int x = 0; x < width; ++x)
        for (int i = 0; i < 3; ++i) in[std::size_t(3 * x + i)] = std::uint8_t((x % 4096 >> (8 - 4 * i) & 15) << 4 | (random() & 15));
    for (const bool redFirst : {true, false}) {
        sums.ConvertTriples(in.data(), to.data(), width, redFirst);
        for (int x = 0; x < width; ++x) {
            // Read blue first, the same bytes are the key with red and blue swapped.
            const int key = x % 4096, swapped = (key & 15) << 8 | (key & 0xF0) | key >> 8;
            ASSERT_EQ(table[std::size_t(redFirst ? key : swapped)], to[std::size_t(x)]) << "pixel " << x << redFirst;
        }
    }
}
