#include "engine/media/mImageBMP.h"

#include "engine/media/mBmpRle.h"

#include <algorithm>
#include <cstring>

namespace {
// Information headers read alike: the classic one and the two later ones,
// whose extra fields (colour masks and spaces) this source does not use.
constexpr std::uint32_t InfoSizes[] = {40, 108, 124};
constexpr std::uint32_t Uncompressed = 0;
} // namespace

int mImageBMP::ReadHeader()
{
    // Read once: the picture may start anywhere, and the stream has moved
    // on since the first read.
    if (rendererInfo->formatTag == TagBmp) return 1;
    const long base = open ? Tell() : 0;
    std::uint8_t file[FileHeaderSize] = {};
    std::uint32_t colourCount = 0, imageSize = 0;
    if (!open || FileRead(file, FileHeaderSize) != FileHeaderSize || file[0] != 'B' || file[1] != 'M' ||
        !ReadInfoHeader(colourCount, imageSize)) {
        Error(CLASS_mImageBMP, ERR_FILE_TYPE, Detail());
        return 0;
    }
    const std::uint32_t fileSize = Le32(file + 2);
    *rendererInfo = {1, TagBmp, fileSize * 4, frameInfo->width, frameInfo->height, 0};
    frameInfo->frameSize = imageSize ? imageSize : std::uint32_t(std::min<std::int64_t>(rowBytes_ * frameInfo->height, Length()));
    frameInfo->colours = nullptr;
    if (colourCount > 0) {
        std::uint8_t entries[256 * 4] = {};
        const long read = FileRead(entries, long(colourCount) * 4);
        for (std::uint32_t i = 0; i < colourCount; ++i)
            colourTable_[i] = long(i) * 4 < read ? Le32(entries + 4 * i) & 0x00FFFFFF : 0;
        frameInfo->colours = colourTable_.data();
        frameInfo->paletteChanged = 1;
    }
    pixelStart_ = base + long(Le32(file + 10));
    return 1;
}

bool mImageBMP::ReadInfoHeader(std::uint32_t& colourCount, std::uint32_t& imageSize)
{
    std::uint8_t info[124] = {};
    if (FileRead(info, 4) != 4) return false;
    const std::uint32_t infoSize = Le32(info);
    if (std::find(std::begin(InfoSizes), std::end(InfoSizes), infoSize) == std::end(InfoSizes)) return false;
    if (FileRead(info + 4, long(infoSize) - 4) != long(infoSize) - 4) return false;
    const std::int32_t width = std::int32_t(Le32(info + 4)), height = std::int32_t(Le32(info + 8));
    const int bits = Le16(info + 14);
    // Other compressions read as rows would be noise; run-length coded
    // pictures are stored bottom-up only.
    compression_ = Le32(info + 16);
    const bool runLength = compression_ != Uncompressed && mBmpRle::BitCountOf(compression_) == bits && height > 0;
    if ((compression_ != Uncompressed && !runLength) || width <= 0 || height == 0 || height == INT32_MIN || bits == 0)
        return false;
    topDown_ = height < 0;
    const int rows = topDown_ ? -height : height;
    rowBytes_ = (std::int64_t(bits) * width + 31) / 32 * 4;
    // A row longer than the whole file cannot be there (coded rows can be).
    if (rowBytes_ > Length() && !runLength) return false;
    imageSize = Le32(info + 20);
    codedBytes_ = imageSize;
    const std::uint32_t used = Le32(info + 32);
    colourCount = bits > 8 ? 0 : std::min<std::uint32_t>(used ? used : 1u << bits, 256);
    FrameInfo& f = *frameInfo;
    f.currentFrame = 0;
    f.framePeriod = 0;
    f.width = width;
    f.height = rows;
    f.depth = bits;
    f.planes = 1;
    f.originX = f.originY = 0;
    f.changed = {0, 0, width, rows};
    return true;
}

long mImageBMP::RowOffset(int r) const
{
    const int stored = topDown_ ? r : frameInfo->height - 1 - r;
    return pixelStart_ + long(rowBytes_ * stored);
}

int mImageBMP::Draw(int x, int y, const mRect* clip)
{
    if (rendererInfo->formatTag != TagBmp && !ReadHeader()) return -1;
    if (!target) {
        Error(CLASS_mImageBMP, ERR_BITMAP);
        return -1;
    }
    const BitmapDesc& t = target->desc;
    // Colour indexes are written a byte per pixel: 8-bit targets only.
    if (t.bitCount != 8 || t.planes != 1) return -1;
    const mRect area = ClipToTarget(clip);
    const int width = frameInfo->width, height = frameInfo->height;
    // In 64 bits: a coded picture may claim any width and height.
    if (x >= area.right || y >= area.bottom || std::int64_t(x) + width <= area.left ||
        std::int64_t(y) + height <= area.top)
        return 0;
    const int c0 = std::max(area.left - x, 0), c1 = std::min(area.right - x, width);
    if (compression_ != Uncompressed) {
        const int r0 = std::max(area.top - y, 0), r1 = std::min(area.bottom - y, height);
        if (c0 < c1 && r0 < r1) DrawRunLength(x, y, r0, r1, c0, c1);
        return 0;
    }
    // Rows the file is too short to hold are not there to be read.
    const std::int64_t stored = std::min<std::int64_t>((Length() - pixelStart_) / rowBytes_, height);
    const int presentFrom = topDown_ ? 0 : height - int(std::max<std::int64_t>(stored, 0));
    const int presentTo = topDown_ ? int(std::max<std::int64_t>(stored, 0)) : height;
    const int r0 = std::max({area.top - y, 0, presentFrom}), r1 = std::min({area.bottom - y, height, presentTo});
    if (c0 >= c1 || r0 >= r1) return 0;

    const bool direct = frameInfo->depth == 8;
    if (!direct) {
        // Whole rows: a clipped 1- or 4-bit row starts inside a byte.
        row_.assign(std::size_t(rowBytes_), 0);
        converted_.assign(std::size_t(c1), 0);
        BuildConversion();
    }
    // Rows in the order they are stored, so the file is read straight on.
    const int first = topDown_ ? r0 : r1 - 1, step = topDown_ ? 1 : -1;
    for (int r = first; r >= r0 && r < r1; r += step) {
        std::uint8_t* to = target->Row(y + r) + (x + c0);
        if (direct) {
            if (FileSeek(RowOffset(r) + c0, SEEK_SET) < 0) break;
            FileRead(to, c1 - c0);
            continue;
        }
        if (FileSeek(RowOffset(r), SEEK_SET) < 0) break;
        const long got = FileRead(row_.data(), long(rowBytes_));
        std::fill(row_.begin() + std::max(got, 0L), row_.end(), 0);
        if (frameInfo->depth == 24) {
            // Whole bytes a pixel: straight into the target, shown columns only.
            ConvertLine(row_.data() + 3 * std::ptrdiff_t(c0), to, c1 - c0, int(rowBytes_));
            continue;
        }
        ConvertLine(row_.data(), converted_.data(), c1, int(rowBytes_));
        std::memcpy(to, converted_.data() + c0, std::size_t(c1 - c0));
    }
    return 0;
}

void mImageBMP::DrawRunLength(int x, int y, int r0, int r1, int c0, int c1)
{
    // The codes are read whole; what the file does not hold is not there.
    const long there = std::max(Length() - pixelStart_, 0L);
    const long wanted = codedBytes_ ? std::min<long>(codedBytes_, there) : there;
    coded_.resize(std::size_t(wanted));
    if (FileSeek(pixelStart_, SEEK_SET) < 0) return;
    coded_.resize(std::size_t(std::max(FileRead(coded_.data(), wanted), 0L)));
    const int height = frameInfo->height;
    // Stored rows count from the bottom.
    mBmpRle codes(frameInfo->depth, frameInfo->width, height, {height - r1, height - r0, c0, c1});
    if (frameInfo->depth != 8) {
        converted_.assign(std::size_t(c1), 0);
        BuildConversion();
    }
    codes.Decode(coded_.data(), coded_.size(), [&](int stored, const std::uint8_t* pixels) {
        PutRow(pixels, codes.FirstColumn(), c0, c1, target->Row(int(std::int64_t(y) + height - 1 - stored)) + x + c0);
    });
}

void mImageBMP::PutRow(const std::uint8_t* pixels, int from, int c0, int c1, std::uint8_t* to)
{
    if (frameInfo->depth == 8) {
        std::memcpy(to, pixels + (c0 - from), std::size_t(c1 - c0));
        return;
    }
    const int count = c1 - from;
    ConvertLine(pixels, converted_.data(), count, (count * frameInfo->depth + 7) / 8);
    std::memcpy(to, converted_.data() + (c0 - from), std::size_t(c1 - c0));
}

int mImageBMP::SeekFrame(int, int)
{
    if (open) FileSeek(pixelStart_, SEEK_SET);
    return 0;
}

int mImageBMP::WriteHeader()
{
    Error(CLASS_mImageBMP, ERR_NOT_IMPLEMENTED, "WriteHeader()");
    return 0;
}

int mImageBMP::WriteFrame()
{
    Error(CLASS_mImageBMP, ERR_NOT_IMPLEMENTED, "WriteFrame()");
    return 0;
}

void mImageBMP::MatchPalette()
{
    Error(CLASS_mImageBMP, ERR_NOT_IMPLEMENTED, "MatchPalette()");
}

void mImageBMP::SetTransparent(bool)
{
    Error(CLASS_mImageBMP, ERR_NOT_IMPLEMENTED, "SetTransparent()");
}

void mImageBMP::SetTransparentColor(std::uint32_t)
{
    Error(CLASS_mImageBMP, ERR_NOT_IMPLEMENTED, "SetTransparentColor()");
}

void mImageBMP::SetRemap(bool)
{
    Error(CLASS_mImageBMP, ERR_NOT_IMPLEMENTED, "SetRemap()");
}
