#include "platform/ChannelSumTable.h"

#include "engine/core/mBitmap.h"
#include "engine/sprites/mRenderer.h"
#include "platform/AvVideoDecompressor.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<std::uint8_t> TableOf(const std::vector<std::uint32_t>& colours)
{
    mBitmap target(1, 1, 8);
    target.SetColors(colours.data(), 0, int(colours.size()));
    return mRenderer::ConversionTable(target);
}

std::vector<std::uint32_t> MoviePalette()
{
    const auto& p = platform::AvVideoDecompressor::TrueColourPalette();
    std::vector<std::uint32_t> colours(256);
    for (std::size_t i = 0; i < 256; ++i) colours[i] = p[i] & 0xFFFFFF;
    return colours;
}

// Six levels a component and nothing else: a sum everywhere.
std::vector<std::uint32_t> CubeOnly()
{
    std::vector<std::uint32_t> colours(256, 0);
    for (std::uint32_t i = 0; i < 216; ++i) colours[i] = (i / 36 * 51) << 16 | (i / 6 % 6 * 51) << 8 | i % 6 * 51;
    return colours;
}

std::vector<std::uint32_t> RandomColours()
{
    std::mt19937 random(7);
    std::vector<std::uint32_t> colours(256);
    for (auto& c : colours) c = random() & 0xFFFFFF;
    return colours;
}

} // namespace

// Whatever the table, a row converted many pixels at a time gives every
// pixel the table's own entry for the top four bits of its components:
// every 15- and 16-bit value, and every key as 3-byte pixels in both orders
// with random low bits, in rows whose length is no multiple of the pieces.
TEST(ChannelSumTableTest, EveryPixelGetsTheTablesEntry)
{
    struct Case {
        const char* name;
        std::vector<std::uint32_t> colours;
        bool sum;
    };
    const bool vectors =
#if defined(__x86_64__) && defined(__GNUC__)
        __builtin_cpu_supports("avx2");
#else
        false;
#endif
    std::mt19937 random(11);
    for (const Case& c : {Case{"movie colours", MoviePalette(), true}, Case{"cube", CubeOnly(), true},
                          Case{"random", RandomColours(), false}}) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> table = TableOf(c.colours);
        platform::ChannelSumTable sums;
        ASSERT_EQ(c.sum && vectors, sums.Use(table.data()));
        if (!sums.Use(table.data())) continue;

        std::vector<std::uint8_t> words(2 * 65536), to(65536);
        for (int v = 0; v < 65536; ++v) words[std::size_t(2 * v)] = std::uint8_t(v), words[std::size_t(2 * v + 1)] = std::uint8_t(v >> 8);
        for (const bool green6 : {false, true}) {
            sums.ConvertWords(words.data(), to.data(), 65536 - 7, green6);
            for (int v = 0; v < 65536 - 7; ++v) {
                const int r = green6 ? v >> 11 : v >> 10 & 31, g = green6 ? v >> 5 & 63 : v >> 5 & 31, b = v & 31;
                const int key = (r >> 1) << 8 | (green6 ? g >> 2 : g >> 1) << 4 | b >> 1;
                ASSERT_EQ(table[std::size_t(key)], to[std::size_t(v)]) << "value " << v << (green6 ? " (565)" : " (555)");
            }
        }

        const int width = 4096 + 13;
        std::vector<std::uint8_t> triples(3 * std::size_t(width));
        std::vector<int> keys(static_cast<std::size_t>(width));
        for (int x = 0; x < width; ++x) {
            const int key = x % 4096;
            keys[std::size_t(x)] = key;
            for (int i = 0; i < 3; ++i)
                triples[std::size_t(3 * x + i)] = std::uint8_t((key >> (8 - 4 * i) & 15) << 4 | (random() & 15));
        }
        to.assign(std::size_t(width), 0);
        sums.ConvertTriples(triples.data(), to.data(), width, true);
        for (int x = 0; x < width; ++x) ASSERT_EQ(table[std::size_t(keys[std::size_t(x)])], to[std::size_t(x)]) << "red first, pixel " << x;
        // The same bytes read blue first are the key with red and blue swapped.
        sums.ConvertTriples(triples.data(), to.data(), width, false);
        for (int x = 0; x < width; ++x) {
            const int key = keys[std::size_t(x)], swapped = (key & 15) << 8 | (key & 0xF0) | key >> 8;
            ASSERT_EQ(table[std::size_t(swapped)], to[std::size_t(x)]) << "blue first, pixel " << x;
        }
    }
}
