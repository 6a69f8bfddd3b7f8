#include "platform/ChannelSumTable.h"

#include "platform/TrueColourRow.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define PAIRLET_SUMS_IN_VECTORS 1
#define PAIRLET_AVX2 __attribute__((target("avx2")))
#endif

namespace platform {

namespace {

int Spread(int r, int g, int b)
{
    return std::max({r, g, b}) - std::min({r, g, b});
}

#ifdef PAIRLET_SUMS_IN_VECTORS

PAIRLET_AVX2 __m256i Load32(const void* p)
{
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

PAIRLET_AVX2 __m256i BothHalves(const std::uint8_t* sixteen)
{
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sixteen)));
}

struct Sums {
    __m256i red, green, blue;
    __m256i aboveGrey; // the least spread that is not near grey
    const ChannelSumTable::Parts& parts;
};

PAIRLET_AVX2 __m256i Nibbles(__m256i words, int shift)
{
    return _mm256_and_si256(_mm256_srli_epi16(words, shift), _mm256_set1_epi16(15));
}

// 32 pixels' indexes from their components, one byte each; the lanes that
// are near grey set in `grey`.
PAIRLET_AVX2 __m256i SumOfNibbles(const Sums& s, __m256i r, __m256i g, __m256i b, __m256i& grey)
{
    const __m256i spread = _mm256_sub_epi8(_mm256_max_epu8(_mm256_max_epu8(r, g), b), _mm256_min_epu8(_mm256_min_epu8(r, g), b));
    grey = _mm256_cmpgt_epi8(s.aboveGrey, spread);
    return _mm256_add_epi8(_mm256_add_epi8(_mm256_shuffle_epi8(s.red, r), _mm256_shuffle_epi8(s.green, g)),
                           _mm256_shuffle_epi8(s.blue, b));
}

// One table of 16 bytes per value of `high`, each looked up by `low`.
PAIRLET_AVX2 __m256i LookUpWide(const std::uint8_t* tables, int count, __m256i low, __m256i high)
{
    __m256i found = _mm256_setzero_si256();
    for (int t = 0; t < count; ++t)
        found = _mm256_or_si256(found, _mm256_and_si256(_mm256_shuffle_epi8(BothHalves(tables + 16 * t), low),
                                                        _mm256_cmpeq_epi8(high, _mm256_set1_epi8(char(t)))));
    return found;
}

// The lanes near grey made the table's own entries without a lookup each.
PAIRLET_AVX2 __m256i ModelGreys(const ChannelSumTable::Parts& parts, __m256i r, __m256i g, __m256i b, __m256i index, __m256i grey)
{
    const __m256i three = _mm256_set1_epi8(3), seven = _mm256_set1_epi8(7);
    const __m256i least = _mm256_min_epu8(_mm256_min_epu8(r, g), b);
    // Differences of at most 3, so no bit crosses into a neighbouring byte.
    const __m256i pattern = _mm256_or_si256(
        _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(_mm256_sub_epi8(r, least), three), 4),
                        _mm256_slli_epi16(_mm256_and_si256(_mm256_sub_epi8(g, least), three), 2)),
        _mm256_and_si256(_mm256_sub_epi8(b, least), three));
    const __m256i bits = LookUpWide(parts.greyBits.data(), 8, least, _mm256_and_si256(_mm256_srli_epi16(pattern, 3), seven));
    const __m256i bit = _mm256_shuffle_epi8(_mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 4,
                                                             8, 16, 32, 64, -128, 0, 0, 0, 0, 0, 0, 0, 0),
                                            _mm256_and_si256(pattern, seven));
    const __m256i isGrey = _mm256_and_si256(grey, _mm256_cmpeq_epi8(_mm256_and_si256(bits, bit), bit));
    const __m256i sum = _mm256_add_epi8(_mm256_add_epi8(r, g), b);
    const __m256i greyIndex =
        LookUpWide(parts.greyOfSum.data(), 3, sum, _mm256_and_si256(_mm256_srli_epi16(sum, 4), _mm256_set1_epi8(15)));
    return _mm256_blendv_epi8(index, greyIndex, isGrey);
}

PAIRLET_AVX2 int WordsInVectors(const Sums& s, const std::uint8_t* in, std::uint8_t* to, int width, bool green6)
{
    const int redShift = green6 ? 12 : 11, greenShift = green6 ? 7 : 6;
    int x = 0;
    for (; x + 32 <= width; x += 32) {
        const std::uint8_t* p = in + 2 * x;
        const __m256i v0 = Load32(p);
        const __m256i v1 = Load32(p + 32);
        // Packing words to bytes interleaves the two halves by 8 pixels;
        // every lane is worked alike, so the order is mended once at the end.
        const __m256i r = _mm256_packus_epi16(Nibbles(v0, redShift), Nibbles(v1, redShift));
        const __m256i g = _mm256_packus_epi16(Nibbles(v0, greenShift), Nibbles(v1, greenShift));
        const __m256i b = _mm256_packus_epi16(Nibbles(v0, 1), Nibbles(v1, 1));
        __m256i grey;
        __m256i index = SumOfNibbles(s, r, g, b, grey);
        if (!_mm256_testz_si256(grey, grey)) index = ModelGreys(s.parts, r, g, b, index, grey);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), _mm256_permute4x64_epi64(index, 0xD8));
    }
    return x;
}

// Byte `channel` of each of 16 pixels of three bytes held in three
// registers (in each 128-bit half alike): where each comes from in which.
struct TripleMasks {
    __m256i a, b, c;
};

// Made once: for each channel, for each register, each lane's source byte
// (−128 for none).
constexpr std::array<std::array<std::array<std::int8_t, 32>, 3>, 3> TripleMaskBytes()
{
    std::array<std::array<std::array<std::int8_t, 32>, 3>, 3> m{};
    for (int channel = 0; channel < 3; ++channel)
        for (int reg = 0; reg < 3; ++reg)
            for (int i = 0; i < 32; ++i) {
                const int from = 3 * (i % 16) + channel - 16 * reg;
                m[std::size_t(channel)][std::size_t(reg)][std::size_t(i)] = std::int8_t(from >= 0 && from < 16 ? from : -128);
            }
    return m;
}

PAIRLET_AVX2 TripleMasks MasksFor(int channel)
{
    static constexpr auto bytes = TripleMaskBytes();
    const auto& m = bytes[std::size_t(channel)];
    return {Load32(m[0].data()), Load32(m[1].data()), Load32(m[2].data())};
}

PAIRLET_AVX2 __m256i ChannelNibbles(const TripleMasks& m, __m256i a, __m256i b, __m256i c)
{
    const __m256i bytes = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(a, m.a), _mm256_shuffle_epi8(b, m.b)),
                                          _mm256_shuffle_epi8(c, m.c));
    return _mm256_and_si256(_mm256_srli_epi16(bytes, 4), _mm256_set1_epi8(15));
}

PAIRLET_AVX2 __m256i TwoHalves(const std::uint8_t* low, const std::uint8_t* high)
{
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
}

PAIRLET_AVX2 int TriplesInVectors(const Sums& s, const std::uint8_t* in, std::uint8_t* to, int width, bool redFirst)
{
    const TripleMasks red = MasksFor(redFirst ? 0 : 2), green = MasksFor(1), blue = MasksFor(redFirst ? 2 : 0);
    int x = 0;
    for (; x + 32 <= width; x += 32) {
        // Pixels 0–15 in the low halves, 16–31 in the high ones.
        const std::uint8_t* p = in + 3 * x;
        const __m256i first = TwoHalves(p, p + 48), second = TwoHalves(p + 16, p + 64), third = TwoHalves(p + 32, p + 80);
        __m256i grey;
        const __m256i r = ChannelNibbles(red, first, second, third), g = ChannelNibbles(green, first, second, third),
                      b = ChannelNibbles(blue, first, second, third);
        __m256i index = SumOfNibbles(s, r, g, b, grey);
        if (!_mm256_testz_si256(grey, grey)) index = ModelGreys(s.parts, r, g, b, index, grey);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), index);
    }
    return x;
}

PAIRLET_AVX2 Sums SumsOf(const ChannelSumTable::Parts& parts)
{
    // With no key near grey (−1), no spread is below 0.
    return {BothHalves(parts.red.data()), BothHalves(parts.green.data()), BothHalves(parts.blue.data()),
            _mm256_set1_epi8(char(parts.greySpread + 1)), parts};
}

#endif

} // namespace

bool ChannelSumTable::Use(const std::uint8_t* table)
{
    if (taken_ && std::equal(table_.begin(), table_.end(), table)) return usable_;
    taken_ = true;
    std::copy(table, table + table_.size(), table_.begin());
    auto at = [&](int r, int g, int b) { return table_[std::size_t(r << 8 | g << 4 | b)]; };
    // Each component's entries are read where the other two are far apart,
    // so that no grey of the palette is near.
    for (std::size_t v = 0; v < 16; ++v) {
        parts_.green[v] = std::uint8_t(at(15, int(v), 0) - at(15, 0, 0));
        parts_.blue[v] = std::uint8_t(at(0, 15, int(v)) - at(0, 15, 0));
    }
    for (std::size_t v = 0; v < 16; ++v) parts_.red[v] = std::uint8_t(at(int(v), 0, 15) - parts_.blue[15]);
    parts_.greySpread = -1;
    for (int key = 0; key < 4096; ++key)
        if (SumOf(key) != table_[std::size_t(key)])
            parts_.greySpread = std::max(parts_.greySpread, Spread(key >> 8, key >> 4 & 15, key & 15));
#ifdef PAIRLET_SUMS_IN_VECTORS
    usable_ = ModelGreys() && __builtin_cpu_supports("avx2");
#else
    usable_ = false;
#endif
    return usable_;
}

bool ChannelSumTable::ModelGreys()
{
    // Differences up to 3 fit the patterns' two bits each.
    if (parts_.greySpread > 3) return false;
    std::array<int, 48> greyOfSum;
    greyOfSum.fill(-1);
    parts_.greyBits.fill(0);
    for (int key = 0; key < 4096; ++key) {
        const int r = key >> 8, g = key >> 4 & 15, b = key & 15, least = std::min({r, g, b});
        const int entry = table_[std::size_t(key)];
        if (Spread(r, g, b) > parts_.greySpread || entry == SumOf(key)) continue;
        int& grey = greyOfSum[std::size_t(r + g + b)];
        if (grey >= 0 && grey != entry) return false;
        grey = entry;
        const int pattern = (r - least) << 4 | (g - least) << 2 | (b - least);
        parts_.greyBits[std::size_t((pattern >> 3) * 16 + least)] |= std::uint8_t(1 << (pattern & 7));
    }
    for (std::size_t sum = 0; sum < greyOfSum.size(); ++sum) parts_.greyOfSum[sum] = std::uint8_t(std::max(greyOfSum[sum], 0));
    return true;
}

void ChannelSumTable::ConvertWords(const std::uint8_t* in, std::uint8_t* to, int width, bool green6) const
{
    int x = 0;
#ifdef PAIRLET_SUMS_IN_VECTORS
    if (usable_) x = WordsInVectors(SumsOf(parts_), in, to, width, green6);
#endif
    for (; x < width; ++x) to[x] = table_[std::size_t(EntryOfWord(unsigned(in[2 * x] | in[2 * x + 1] << 8), green6))];
}

void ChannelSumTable::ConvertTriples(const std::uint8_t* in, std::uint8_t* to, int width, bool redFirst) const
{
    int x = 0;
#ifdef PAIRLET_SUMS_IN_VECTORS
    if (usable_) x = TriplesInVectors(SumsOf(parts_), in, to, width, redFirst);
#endif
    if (redFirst) ConvertBytes<3, 0, 1, 2>(in + 3 * x, to + x, width - x, table_.data());
    else ConvertBytes<3, 2, 1, 0>(in + 3 * x, to + x, width - x, table_.data());
}

} // namespace platform
