#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

// True-colour rows into 8 bits through a table of 4 096 entries, one for
// each colour of four bits a component (red * 256 + green * 16 + blue).
namespace platform {

// Where the processor has them, the widest vector instructions, chosen when
// the program starts (GCC's clones; Clang takes none for templates).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define PAIRLET_WIDEST_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define PAIRLET_WIDEST_VECTORS
#endif

// The table's entry of a 16-bit pixel: the top four bits of its five-bit
// red and blue and of its five- or six-bit green.
inline int EntryOfWord(unsigned v, bool green6)
{
    return green6 ? (v >> 12 & 15) << 8 | (v >> 7 & 15) << 4 | (v >> 1 & 15)
                  : (v >> 11 & 15) << 8 | (v >> 6 & 15) << 4 | (v >> 1 & 15);
}

// The table's entry of each pixel of Step bytes, red, green and blue at the
// given places: the top four bits of each. A loop of its own, so that it
// runs many pixels at a time.
template <int Step, int R, int G, int B>
PAIRLET_WIDEST_VECTORS void EntriesOf(const std::uint8_t* __restrict in, std::uint16_t* __restrict entries, int width)
{
    for (int x = 0; x < width; ++x)
        entries[x] = std::uint16_t((in[Step * x + R] & 0xF0) << 4 | (in[Step * x + G] & 0xF0) | in[Step * x + B] >> 4);
}

// One row of such pixels through the table, a piece at a time: the entries
// first, then one lookup each.
template <int Step, int R, int G, int B>
void ConvertBytes(const std::uint8_t* __restrict in, std::uint8_t* __restrict to, int width,
                  const std::uint8_t* __restrict table)
{
    constexpr int Piece = 512;
    std::uint16_t entries[Piece];
    for (int x = 0; x < width; x += Piece) {
        const int n = std::min(Piece, width - x);
        EntriesOf<Step, R, G, B>(in + std::ptrdiff_t(Step) * x, entries, n);
        // Unrolled, so that the loop's speed does not hang on where it lands in memory.
#pragma GCC unroll 4
        for (int i = 0; i < n; ++i) to[x + i] = table[entries[i]];
    }
}

} // namespace platform

#undef PAIRLET_WIDEST_VECTORS
