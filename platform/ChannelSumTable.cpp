#include "platform/ChannelSumTable.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define PAIRLET_SUMS_IN_VECTORS 1
#define PAIRLET_AVX2 __attribute__((target("avx2")))
#endif

namespace platform {

namespace {

// Beyond this, so much of the colours would be looked up one by one that
// the table is as quick alone.
constexpr int WidestGreySpread = 4;

int Spread(int r, int g, int b)
{
    return std::max({r, g, b}) - std::min({r, g, b});
}

int KeyOfWord(const std::uint8_t* p, bool green6)
{
    const int v = p[0] | p[1] << 8;
    return green6 ? (v >> 12 & 15) << 8 | (v >> 7 & 15) << 4 | (v >> 1 & 15)
                  : (v >> 11 & 15) << 8 | (v >> 6 & 15) << 4 | (v >> 1 & 15);
}

int KeyOfTriple(const std::uint8_t* p, bool redFirst)
{
    const int r = redFirst ? p[0] : p[2], b = redFirst ? p[2] : p[0];
    return (r >> 4) << 8 | (p[1] >> 4) << 4 | b >> 4;
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
    __m256i red, green, blue, spread;
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
    grey = _mm256_cmpeq_epi8(_mm256_subs_epu8(spread, s.spread), _mm256_setzero_si256());
    return _mm256_add_epi8(_mm256_add_epi8(_mm256_shuffle_epi8(s.red, r), _mm256_shuffle_epi8(s.green, g)),
                           _mm256_shuffle_epi8(s.blue, b));
}

// A piece with pixels near grey: all 32 through the table, their keys (in
// pixel order) made in registers. Lane by lane would be no quicker: the
// greys come together, in backgrounds and shadows.
PAIRLET_AVX2 void LookUpAll(__m256i keysLow, __m256i keysHigh, std::uint8_t* to, const std::uint8_t* table)
{
    alignas(32) std::uint16_t keys[32];
    _mm256_store_si256(reinterpret_cast<__m256i*>(keys), keysLow);
    _mm256_store_si256(reinterpret_cast<__m256i*>(keys + 16), keysHigh);
    for (int i = 0; i < 32; ++i) to[i] = table[keys[i]];
}

// Keys of 16 pixels of five- or six-bit components, the top four bits of each.
PAIRLET_AVX2 __m256i KeysOfWords(__m256i v, int redShift, int greenShift)
{
    return _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(_mm256_srli_epi16(v, redShift - 8), _mm256_set1_epi16(0xF00)),
                                           _mm256_and_si256(_mm256_srli_epi16(v, greenShift - 4), _mm256_set1_epi16(0xF0))),
                           Nibbles(v, 1));
}

PAIRLET_AVX2 int WordsInVectors(const Sums& s, const std::uint8_t* in, std::uint8_t* to, int width, bool green6,
                                const std::uint8_t* table)
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
        const __m256i index = _mm256_permute4x64_epi64(SumOfNibbles(s, r, g, b, grey), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), index);
        if (!_mm256_testz_si256(grey, grey))
            LookUpAll(KeysOfWords(v0, redShift, greenShift), KeysOfWords(v1, redShift, greenShift), to + x, table);
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

// Both halves of the keys of 32 pixels whose components are nibbles in
// bytes, pixels 0–15 in the low 128 bits, 16–31 in the high.
PAIRLET_AVX2 void LookUpAll(__m256i r, __m256i g, __m256i b, std::uint8_t* to, const std::uint8_t* table)
{
    // No nibble crosses into its neighbour's byte when shifted by four.
    const __m256i greenBlue = _mm256_or_si256(_mm256_slli_epi16(g, 4), b);
    const __m256i low = _mm256_unpacklo_epi8(greenBlue, r), high = _mm256_unpackhi_epi8(greenBlue, r);
    LookUpAll(_mm256_permute2x128_si256(low, high, 0x20), _mm256_permute2x128_si256(low, high, 0x31), to, table);
}

PAIRLET_AVX2 int TriplesInVectors(const Sums& s, const std::uint8_t* in, std::uint8_t* to, int width, bool redFirst,
                                  const std::uint8_t* table)
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
        const __m256i index = SumOfNibbles(s, r, g, b, grey);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + x), index);
        if (!_mm256_testz_si256(grey, grey)) LookUpAll(r, g, b, to + x, table);
    }
    return x;
}

PAIRLET_AVX2 Sums SumsOf(const std::array<std::uint8_t, 16>& r, const std::array<std::uint8_t, 16>& g,
                         const std::array<std::uint8_t, 16>& b, int greySpread)
{
    // No lane is near grey when no key needs it: a spread never goes below 0.
    const int limit = greySpread < 0 ? 255 : greySpread;
    return {BothHalves(r.data()), BothHalves(g.data()), BothHalves(b.data()), _mm256_set1_epi8(char(limit))};
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
    for (int v = 0; v < 16; ++v) {
        green_[std::size_t(v)] = std::uint8_t(at(15, v, 0) - at(15, 0, 0));
        blue_[std::size_t(v)] = std::uint8_t(at(0, 15, v) - at(0, 15, 0));
    }
    for (int v = 0; v < 16; ++v) red_[std::size_t(v)] = std::uint8_t(at(v, 0, 15) - blue_[15]);
    greySpread_ = -1;
    for (int key = 0; key < 4096; ++key)
        if (SumOf(key) != table_[std::size_t(key)]) greySpread_ = std::max(greySpread_, Spread(key >> 8, key >> 4 & 15, key & 15));
#ifdef PAIRLET_SUMS_IN_VECTORS
    usable_ = greySpread_ <= WidestGreySpread && __builtin_cpu_supports("avx2");
#else
    usable_ = false;
#endif
    return usable_;
}

void ChannelSumTable::ConvertWords(const std::uint8_t* in, std::uint8_t* to, int width, bool green6) const
{
    int x = 0;
#ifdef PAIRLET_SUMS_IN_VECTORS
    if (usable_) x = WordsInVectors(SumsOf(red_, green_, blue_, greySpread_), in, to, width, green6, table_.data());
#endif
    for (; x < width; ++x) to[x] = table_[std::size_t(KeyOfWord(in + 2 * x, green6))];
}

void ChannelSumTable::ConvertTriples(const std::uint8_t* in, std::uint8_t* to, int width, bool redFirst) const
{
    int x = 0;
#ifdef PAIRLET_SUMS_IN_VECTORS
    if (usable_) x = TriplesInVectors(SumsOf(red_, green_, blue_, greySpread_), in, to, width, redFirst, table_.data());
#endif
    for (; x < width; ++x) to[x] = table_[std::size_t(KeyOfTriple(in + 3 * x, redFirst))];
}

} // namespace platform
