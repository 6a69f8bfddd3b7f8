#pragma once

#include "engine/core/mObject.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace platform {
class Surface;
}

struct mRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const mRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// What other engine parts read of a bitmap directly.
struct BitmapDesc {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::int32_t bitCount = 8;
    std::int32_t planes = 1;
    std::int32_t stride = 1;
    std::int32_t rowStep = 1; // + stride top-down, − stride bottom-up
    std::int32_t topDown = 1;
    std::uint8_t* bits = nullptr;
    std::uint8_t* topRow = nullptr;
    std::uint32_t* colours = nullptr; // 2^bitCount entries (blue, green, red, 0); none above 8 bits
    std::uint32_t paletteVersion = 0;
    std::uint32_t transparent = 0; // low byte: the transparent index
    std::uint32_t drawFlags = 0;
    std::uint8_t* translation = nullptr;
    std::int32_t translationNeeded = 0;
};

// An 8-bit (or other depth) picture in memory with its colour table: frame
// sources decode into one, the director's stage is one.
class mBitmap : public virtual mObject {
public:
    static constexpr std::uint32_t DrawTransparent = 1;
    static constexpr std::uint32_t DrawTranslated = 2;
    using Palette = std::array<std::uint32_t, 256>;

    mBitmap();
    mBitmap(int width, int height, int bitCount);
    ~mBitmap() override;

    // A negative height asks for top-down rows.
    int Create(int width, int height, int bitCount);
    // The stage's variant: bottom-up, 8 bits unless told otherwise.
    int CreateSection(int width, int height, int bitCount);
    void Reset();

    void SetColors(const std::uint32_t* entries, int first, int count);
    void SetTransparentIndex(std::uint32_t value);
    void EnableTransparency(bool on);
    void EnableTranslation(bool on);
    // Turns the rows round; a picture known to be uniform need not move.
    void SetTopDown(bool on, bool movePixels = true);
    int NearestColor(std::uint32_t colour) const;
    int BuildTranslation(mBitmap* target);
    // The colours an identity palette gives on a display without palettes;
    // the colour table is rewritten with them.
    Palette CreateIdentityPalette();

    void FillRects(int index, const mRect* rects, int count);
    void DrawToDC(platform::Surface& surface, const mRect& dest, int sourceX, int sourceY) const;

    // Copies dest's size from (sourceX, sourceY) of this bitmap into the
    // target at dest, by this bitmap's drawing flags. Both areas are cut to
    // what lies inside the two bitmaps.
    void Copy(mBitmap& target, const mRect& dest, int sourceX, int sourceY);
    void CopyPlain(mBitmap& target, const mRect& dest, int sourceX, int sourceY);
    void CopyTransparent(mBitmap& target, const mRect& dest, int sourceX, int sourceY);
    void CopyTranslated(mBitmap& target, const mRect& dest, int sourceX, int sourceY, bool transparent);

    std::uint8_t* Row(int y) const { return desc.topRow + long(y) * desc.rowStep; }
    static const Palette& DefaultPalette();
    // The most pixel memory one bitmap may take. A program that reads many
    // untrusted files in a row may lower it; bitmaps made before keep theirs.
    static constexpr std::uint64_t DefaultPixelLimit = 64ull << 20;
    static void SetPixelLimit(std::uint64_t bytes);

    BitmapDesc desc;

private:
    // False when the memory is not there.
    bool Allocate(std::uint64_t bytes);
    void EmptyState();
    void SetRowPointers();
    bool ClipCopy(const mBitmap& target, mRect& dest, int& sourceX, int& sourceY) const;
    bool TranslationCurrent(const mBitmap& target) const;

    // Zeroed memory from the system: a large picture costs only the pages
    // that are drawn, not a pass that clears them all first.
    struct FreeMemory {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t, FreeMemory> pixels_;
    std::vector<std::uint32_t> colourTable_;
    std::vector<std::uint8_t> translation_;
    std::uint8_t placeholder_[4] = {};
    const mBitmap* translationTarget_ = nullptr;
    std::uint32_t translationVersion_ = 0;
};
