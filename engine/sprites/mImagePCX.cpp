#include "engine/sprites/mImagePCX.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t Manufacturer = 10;
constexpr std::uint8_t RunLength = 1;
constexpr std::uint8_t PaletteMarker = 12;
constexpr std::uint8_t RunFlag = 0xC0;
constexpr long MaxRun = 63;

// A red, green, blue triple as a colour-table entry.
std::uint32_t Entry(const std::uint8_t* rgb)
{
    return std::uint32_t(rgb[0]) << 16 | std::uint32_t(rgb[1]) << 8 | rgb[2];
}

} // namespace

int mImagePCX::ReadHeader()
{
    // A sprite asks again when it is attached: the stream has moved on
    // since, and what was read stands.
    if (rendererInfo->formatTag == TagPcx) return 1;
    return ReadPictureHeader();
}

int mImagePCX::ReadPictureHeader()
{
    std::uint8_t header[HeaderSize] = {};
    const bool whole = open && MakeAvailable(HeaderSize);
    if (whole) {
        std::memcpy(header, readPtr, HeaderSize);
        readPtr += HeaderSize;
    }
    const int width = Le16(header + 8) - Le16(header + 4) + 1;
    const int height = Le16(header + 10) - Le16(header + 6) + 1;
    // A picture without pixels is no picture either.
    if (!whole || header[0] != Manufacturer || header[2] != RunLength || width <= 0 || height <= 0) {
        Error(CLASS_mImagePCX, ERR_FILE_TYPE);
        return 0;
    }
    dataStart_ = Tell();
    const int depth = header[3], planes = header[65];
    // Every pixel takes a bit of decoded data at least, and a run of two
    // bytes decodes to 63 at most: a header that claims more pixels than
    // the data can give is no picture (and would cost memory for nothing).
    const std::int64_t mostPixels = 8 * MaxRun * std::max(Length() - dataStart_, 0L);
    if (std::int64_t(width) * height > mostPixels) {
        Error(CLASS_mImagePCX, ERR_FILE_TYPE);
        return 0;
    }
    bytesPerLine_ = Le16(header + 66);
    lineLength_ = planes * bytesPerLine_;
    *rendererInfo = {1, TagPcx, std::uint32_t(lineLength_) * std::uint32_t(height), width, height, 0};
    FrameInfo& f = *frameInfo;
    f.currentFrame = 0;
    f.frameSize = std::uint32_t(height) * std::uint32_t(bytesPerLine_);
    f.framePeriod = 0;
    f.width = width;
    f.height = height;
    f.depth = depth;
    f.planes = planes;
    f.originX = f.originY = 0;
    f.changed = {0, 0, width, height};
    f.colours = colourTable_.data();
    f.paletteChanged = 1;
    for (int i = 0; i < 16; ++i) colourTable_[std::size_t(i)] = Entry(header + 16 + 3 * i);
    if (!dcxPage_) ReadEndPalette(Length());
    return 1;
}

void mImagePCX::ReadEndPalette(long end)
{
    // Only where it cannot overlap the picture's header.
    const long at = end - PaletteSize;
    if (at >= dataStart_ && FileSeek(at, SEEK_SET) == at && MakeAvailable(PaletteSize) &&
        readPtr[0] == PaletteMarker) {
        for (int i = 0; i < 256; ++i) colourTable_[std::size_t(i)] = Entry(readPtr + 1 + 3 * i);
        return;
    }
    if (frameInfo->depth * frameInfo->planes <= 8) return;
    frameInfo->colours = nullptr;
    if (!dcxPage_) frameInfo->paletteChanged = 0;
}

int mImagePCX::Draw(int x, int y, const mRect* clip)
{
    if (rendererInfo->formatTag != TagPcx && !ReadHeader()) return -1;
    if (!target) {
        Error(CLASS_mImagePCX, ERR_BITMAP);
        return -1;
    }
    const BitmapDesc& t = target->desc;
    // Colour indexes are written a byte per pixel: 8-bit targets only.
    if (t.bitCount != 8 || t.planes != 1) return -1;
    const mRect area = ClipToTarget(clip);
    const int width = frameInfo->width, height = frameInfo->height;
    if (area.right < x || area.bottom < y || x + width <= area.left || y + height <= area.top) return 0;
    const int firstRow = std::max(0, area.top - y), endRow = std::min(height, area.bottom - y);
    const int firstColumn = std::max(0, area.left - x);
    const bool direct = frameInfo->depth == 8 && frameInfo->planes == 1;
    // A line that is shorter than the picture is wide fills what it holds.
    const int endColumn = std::min({width, area.right - x, ColumnsInLine()});

    // A run gives at most 63 bytes for two: a line longer than the data can
    // give is never complete, and nothing would be drawn.
    if (lineLength_ > MaxRun * (Length() - dataStart_)) return 0;
    FileSeek(dataStart_, SEEK_SET);
    if (line_.size() < std::size_t(lineLength_)) line_.resize(std::size_t(lineLength_));
    if (!direct) {
        BuildConversion();
        converted_.assign(std::size_t(std::max(endColumn, 0)), 0);
    }
    for (int row = 0; row < endRow && DecodeLine(line_.data()); ++row) {
        if (row < firstRow || firstColumn >= endColumn) continue;
        const std::uint8_t* from = line_.data();
        if (!direct) {
            ConvertLine(line_.data(), converted_.data(), endColumn, bytesPerLine_);
            from = converted_.data();
        }
        std::memcpy(target->Row(y + row) + (x + firstColumn), from + firstColumn, std::size_t(endColumn - firstColumn));
    }
    return 0;
}

bool mImagePCX::DecodeLine(std::uint8_t* line)
{
    int produced = 0;
    // Bytes are taken from the stream's window directly; a pair is always
    // there except at the very end of the stream.
    std::uint8_t* p = readPtr;
    const std::uint8_t* end = windowEnd;
    while (produced < lineLength_) {
        if (end - p < 2) {
            readPtr = p;
            if (!MakeAvailable(2) && !(MakeAvailable(1) && *readPtr < RunFlag)) return false;
            p = readPtr;
            end = windowEnd;
        }
        const std::uint8_t byte = *p++;
        if (byte < RunFlag) {
            line[produced++] = byte;
            continue;
        }
        // A run past the end of the line ends the line; the rest is dropped.
        const int count = std::min(int(byte & ~RunFlag & 0xFF), lineLength_ - produced);
        std::memset(line + produced, *p++, std::size_t(count));
        produced += count;
    }
    readPtr = p;
    return true;
}

int mImagePCX::ColumnsInLine() const
{
    if (frameInfo->planes <= 0 || bytesPerLine_ <= 0) return 0;
    switch (frameInfo->depth) {
    case 1:
    case 4:
    case 8: return bytesPerLine_ * 8 / frameInfo->depth;
    case 16: return bytesPerLine_ / 2;
    case 24: return bytesPerLine_ / 3;
    default: return 0;
    }
}

int mImagePCX::SeekFrame(int, int)
{
    // One picture: the frame is always the first.
    if (open) FileSeek(dataStart_, SEEK_SET);
    return 0;
}

int mImagePCX::WriteHeader()
{
    Error(ClassId(), ERR_NOT_IMPLEMENTED, "WriteHeader()");
    return 0;
}

int mImagePCX::WriteFrame()
{
    Error(ClassId(), ERR_NOT_IMPLEMENTED, "WriteFrame()");
    return -1;
}

void mImagePCX::MatchPalette()
{
    Error(CLASS_mImagePCX, ERR_NOT_IMPLEMENTED, "MatchPalette()");
}

void mImagePCX::SetTransparent(bool)
{
    Error(CLASS_mImagePCX, ERR_NOT_IMPLEMENTED, "SetTransparent()");
}

void mImagePCX::SetTransparentColor(std::uint32_t)
{
    Error(CLASS_mImagePCX, ERR_NOT_IMPLEMENTED, "SetTransparentColor()");
}

void mImagePCX::SetRemap(bool)
{
    Error(CLASS_mImagePCX, ERR_NOT_IMPLEMENTED, "SetRemap()");
}
