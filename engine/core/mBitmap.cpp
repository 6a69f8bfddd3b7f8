#include "engine/core/mBitmap.h"

#include "engine/core/mColourSearch.h"
#include "platform/Surface.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <optional>

namespace {

// Larger pictures than this are no animation frames: refusing them keeps a
// lying file header from claiming all memory.
std::atomic<std::uint64_t> pixelLimit{mBitmap::DefaultPixelLimit};

constexpr std::uint32_t Bgr(int r, int g, int b)
{
    return std::uint32_t(b) | std::uint32_t(g) << 8 | std::uint32_t(r) << 16;
}

mBitmap::Palette MakeDefaultPalette()
{
    mBitmap::Palette p{};
    const std::uint32_t low[10] = {Bgr(0, 0, 0),       Bgr(191, 0, 0),     Bgr(0, 191, 0),    Bgr(191, 191, 0),
                                   Bgr(0, 0, 191),     Bgr(191, 0, 191),   Bgr(0, 191, 191),  Bgr(192, 192, 192),
                                   Bgr(192, 220, 192), Bgr(164, 200, 240)};
    const std::uint32_t high[10] = {Bgr(255, 251, 240), Bgr(160, 160, 164), Bgr(128, 128, 128), Bgr(255, 0, 0),
                                    Bgr(0, 255, 0),     Bgr(255, 255, 0),   Bgr(0, 0, 255),     Bgr(255, 0, 255),
                                    Bgr(0, 255, 255),   Bgr(255, 255, 255)};
    std::copy(low, low + 10, p.begin());
    // A colour cube of six steps per component, then five greys.
    int i = 10;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) p[std::size_t(i++)] = Bgr(r * 51, g * 51, b * 51);
    for (int grey = 1; grey <= 5; ++grey) p[std::size_t(i++)] = Bgr(grey * 42, grey * 42, grey * 42);
    for (int n = 1; n <= 15; ++n) p[std::size_t(230 + n)] = Bgr(0, 0, n);
    std::copy(high, high + 10, p.begin() + 246);
    return p;
}

int Red(std::uint32_t c) { return int(c >> 16 & 0xFF); }
int Green(std::uint32_t c) { return int(c >> 8 & 0xFF); }
int Blue(std::uint32_t c) { return int(c & 0xFF); }

} // namespace

const mBitmap::Palette& mBitmap::DefaultPalette()
{
    static const Palette palette = MakeDefaultPalette();
    return palette;
}

mBitmap::mBitmap()
{
    EmptyState();
}

mBitmap::mBitmap(int width, int height, int bitCount)
{
    EmptyState();
    Create(width, height, bitCount);
}

mBitmap::~mBitmap()
{
    if (useCount != 0) {
        Warning(CLASS_mBitmap, ERR_STILL_IN_USE);
        useCount = 0;
    }
}

void mBitmap::EmptyState()
{
    desc = BitmapDesc{};
    desc.bits = desc.topRow = placeholder_;
    translationTarget_ = nullptr;
    translationVersion_ = 0;
}

void mBitmap::Reset()
{
    pixels_.reset();
    colourTable_.clear();
    translation_.clear();
    EmptyState();
}

void mBitmap::SetRowPointers()
{
    desc.rowStep = desc.topDown ? desc.stride : -desc.stride;
    desc.topRow = desc.topDown ? desc.bits : desc.bits + std::size_t(desc.height - 1) * std::size_t(desc.stride);
}

int mBitmap::Create(int width, int height, int bitCount)
{
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -std::int64_t(height) : height;
    // Checked before any product is formed, and the products in 64 bits.
    const bool shaped = width > 0 && rows > 0 && bitCount > 0 && bitCount <= 32;
    const std::int64_t stride = shaped ? (std::int64_t(width) * bitCount / 8 + 3) / 4 * 4 : 0;
    const std::uint64_t bytes = std::uint64_t(stride) * std::uint64_t(rows);
    std::vector<std::uint32_t> keep = std::move(colourTable_);
    Reset();
    if (!shaped || bytes > pixelLimit.load() || !Allocate(bytes)) {
        Error(CLASS_mBitmap, ERR_OUT_OF_MEMORY);
        return 0;
    }
    desc.width = width;
    desc.height = int(rows);
    desc.bitCount = bitCount;
    desc.stride = int(stride);
    desc.topDown = topDown ? 1 : 0;
    desc.bits = pixels_.get();
    SetRowPointers();
    if (bitCount <= 8) {
        colourTable_.resize(std::size_t(1) << bitCount);
        for (std::size_t i = 0; i < colourTable_.size(); ++i)
            colourTable_[i] = i < keep.size() ? keep[i] : DefaultPalette()[i];
        desc.colours = colourTable_.data();
    }
    return 1;
}

bool mBitmap::Allocate(std::uint64_t bytes)
{
    pixels_.reset(static_cast<std::uint8_t*>(std::calloc(std::size_t(bytes), 1)));
    return pixels_ != nullptr;
}

int mBitmap::CreateSection(int width, int height, int bitCount)
{
    return Create(width, height < 0 ? -height : height, bitCount == 0 ? 8 : bitCount);
}

void mBitmap::SetPixelLimit(std::uint64_t bytes)
{
    pixelLimit = bytes;
}

void mBitmap::SetColors(const std::uint32_t* entries, int first, int count)
{
    const int size = int(colourTable_.size());
    if (!entries || size == 0 || first < 0 || first > size) return;
    const int n = std::min(count, size - first);
    for (int i = 0; i < n; ++i) colourTable_[std::size_t(first + i)] = entries[i] & 0x00FFFFFF;
    translationTarget_ = nullptr;
    ++desc.paletteVersion;
}

void mBitmap::SetTransparentIndex(std::uint32_t value)
{
    desc.transparent = value;
    desc.drawFlags |= DrawTransparent;
}

void mBitmap::EnableTransparency(bool on)
{
    desc.drawFlags = on ? desc.drawFlags | DrawTransparent : desc.drawFlags & ~DrawTransparent;
}

void mBitmap::EnableTranslation(bool on)
{
    desc.drawFlags = on ? desc.drawFlags | DrawTranslated : desc.drawFlags & ~DrawTranslated;
}

void mBitmap::SetTopDown(bool on, bool movePixels)
{
    if ((desc.topDown != 0) == on || !pixels_) return;
    std::vector<std::uint8_t> row(std::size_t(desc.stride));
    for (int i = 0; movePixels && i < desc.height / 2; ++i) {
        std::uint8_t* a = desc.bits + std::size_t(i) * std::size_t(desc.stride);
        std::uint8_t* b = desc.bits + std::size_t(desc.height - 1 - i) * std::size_t(desc.stride);
        std::memcpy(row.data(), a, row.size());
        std::memcpy(a, b, row.size());
        std::memcpy(b, row.data(), row.size());
    }
    desc.topDown = on ? 1 : 0;
    SetRowPointers();
}

int mBitmap::NearestColor(std::uint32_t colour) const
{
    if (desc.bitCount > 8 || colourTable_.empty()) return 0;
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < colourTable_.size(); ++i) {
        const std::uint32_t c = colourTable_[i];
        const long dr = Red(c) - Red(colour), dg = Green(c) - Green(colour), db = Blue(c) - Blue(colour);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = int(i);
            bestDistance = d;
            if (d < 2) break;
        }
    }
    return best;
}

int mBitmap::BuildTranslation(mBitmap* target)
{
    if (!target || desc.bitCount > 8 || colourTable_.empty() || target->colourTable_.empty()) {
        translation_.clear();
        desc.translation = nullptr;
        desc.translationNeeded = 0;
        translationTarget_ = nullptr;
        return 0;
    }
    translation_.resize(colourTable_.size());
    // Made only when a colour differs: tables are often the same.
    std::optional<mColourSearch> nearest;
    bool identity = true;
    for (std::size_t i = 0; i < colourTable_.size(); ++i) {
        const std::uint32_t own = colourTable_[i];
        const bool same = i < target->colourTable_.size() && (target->colourTable_[i] & 0xFFFFFF) == (own & 0xFFFFFF);
        if (!same && !nearest) nearest.emplace(target->colourTable_);
        translation_[i] = std::uint8_t(same ? int(i) : nearest->Find(Red(own), Green(own), Blue(own), int(i)));
        identity = identity && translation_[i] == i;
    }
    desc.translation = translation_.data();
    desc.translationNeeded = identity ? 0 : 1;
    translationTarget_ = target;
    translationVersion_ = target->desc.paletteVersion;
    return desc.translationNeeded;
}

bool mBitmap::TranslationCurrent(const mBitmap& target) const
{
    return translationTarget_ == &target && translationVersion_ == target.desc.paletteVersion && !translation_.empty();
}

mBitmap::Palette mBitmap::CreateIdentityPalette()
{
    // Without a palette display the bitmap's colours are used as they are,
    // black and white pinned at both ends.
    Palette palette{};
    const std::size_t n = colourTable_.size();
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = i < n ? colourTable_[i] : 0;
    palette[0] = 0;
    palette[255] = 0xFFFFFF;
    SetColors(palette.data(), 0, 256);
    return palette;
}

void mBitmap::FillRects(int index, const mRect* rects, int count)
{
    if (!rects || desc.bitCount != 8 || !pixels_) return;
    for (int r = 0; r < count; ++r) {
        const int left = std::max(rects[r].left, 0), right = std::min(rects[r].right, int(desc.width));
        const int top = std::max(rects[r].top, 0), bottom = std::min(rects[r].bottom, int(desc.height));
        if (right <= left) continue;
        for (int y = top; y < bottom; ++y) std::memset(Row(y) + left, index, std::size_t(right - left));
    }
}

void mBitmap::DrawToDC(platform::Surface& surface, const mRect& dest, int sourceX, int sourceY) const
{
    if (desc.bitCount != 8 || !pixels_) return;
    const platform::Surface::Pixels pixels{desc.topRow, desc.rowStep, desc.width, desc.height, desc.colours};
    surface.Present(pixels, dest.left, dest.top, dest.Width(), dest.Height(), sourceX, sourceY);
}

bool mBitmap::ClipCopy(const mBitmap& target, mRect& dest, int& sourceX, int& sourceY) const
{
    if (desc.bitCount != 8 || target.desc.bitCount != 8 || !pixels_ || !target.pixels_) return false;
    // Inside the target, then the matching source area inside this bitmap.
    const int dl = std::max({dest.left, 0, dest.left - sourceX});
    const int dt = std::max({dest.top, 0, dest.top - sourceY});
    const int dr = std::min({dest.right, int(target.desc.width), dest.left - sourceX + int(desc.width)});
    const int db = std::min({dest.bottom, int(target.desc.height), dest.top - sourceY + int(desc.height)});
    sourceX += dl - dest.left;
    sourceY += dt - dest.top;
    dest = {dl, dt, dr, db};
    return !dest.Empty();
}

void mBitmap::Copy(mBitmap& target, const mRect& dest, int sourceX, int sourceY)
{
    switch (desc.drawFlags & (DrawTransparent | DrawTranslated)) {
    case 0: CopyPlain(target, dest, sourceX, sourceY); break;
    case DrawTransparent: CopyTransparent(target, dest, sourceX, sourceY); break;
    case DrawTranslated: CopyTranslated(target, dest, sourceX, sourceY, false); break;
    default: CopyTranslated(target, dest, sourceX, sourceY, true); break;
    }
}

void mBitmap::CopyPlain(mBitmap& target, const mRect& area, int sourceX, int sourceY)
{
    mRect dest = area;
    if (!ClipCopy(target, dest, sourceX, sourceY)) return;
    // Whole rows of two bitmaps laid out alike are one block of memory.
    const bool wholeRows = dest.left == 0 && sourceX == 0 && dest.Width() == desc.width &&
                           target.desc.width == desc.width && target.desc.rowStep == desc.rowStep;
    if (wholeRows) {
        const int last = dest.Height() - 1;
        const std::uint8_t* from = std::min(Row(sourceY), Row(sourceY + last));
        std::uint8_t* to = std::min(target.Row(dest.top), target.Row(dest.top + last));
        std::memcpy(to, from, std::size_t(dest.Height()) * std::size_t(desc.stride));
        return;
    }
    for (int y = 0; y < dest.Height(); ++y)
        std::memcpy(target.Row(dest.top + y) + dest.left, Row(sourceY + y) + sourceX, std::size_t(dest.Width()));
}

void mBitmap::CopyTransparent(mBitmap& target, const mRect& area, int sourceX, int sourceY)
{
    mRect dest = area;
    if (!ClipCopy(target, dest, sourceX, sourceY)) return;
    const std::uint8_t clear = std::uint8_t(desc.transparent & 0xFF);
    for (int y = 0; y < dest.Height(); ++y) {
        const std::uint8_t* from = Row(sourceY + y) + sourceX;
        std::uint8_t* to = target.Row(dest.top + y) + dest.left;
        for (int x = 0; x < dest.Width(); ++x)
            if (from[x] != clear) to[x] = from[x];
    }
}

void mBitmap::CopyTranslated(mBitmap& target, const mRect& area, int sourceX, int sourceY, bool transparent)
{
    if (!TranslationCurrent(target)) BuildTranslation(&target);
    if (!desc.translationNeeded) {
        if (transparent) CopyTransparent(target, area, sourceX, sourceY);
        else CopyPlain(target, area, sourceX, sourceY);
        return;
    }
    mRect dest = area;
    if (!ClipCopy(target, dest, sourceX, sourceY)) return;
    const std::uint8_t clear = std::uint8_t(desc.transparent & 0xFF);
    const std::uint8_t* table = translation_.data();
    for (int y = 0; y < dest.Height(); ++y) {
        const std::uint8_t* from = Row(sourceY + y) + sourceX;
        std::uint8_t* to = target.Row(dest.top + y) + dest.left;
        for (int x = 0; x < dest.Width(); ++x)
            if (!transparent || from[x] != clear) to[x] = table[from[x]];
    }
}
