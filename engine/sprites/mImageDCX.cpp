#include "engine/sprites/mImageDCX.h"

int mImageDCX::ReadHeader()
{
    constexpr long TableSize = 4 + 4 * MaxPages;
    // Read once: the stream stands at some page by now, not at the table.
    if (magic_ == Magic) return 1;
    base_ = open ? Tell() : 0;
    magic_ = 0;
    pageCount_ = 0;
    const bool whole = open && MakeAvailable(TableSize);
    if (whole) magic_ = Le32(readPtr);
    if (!whole || magic_ != Magic) {
        Error(CLASS_mImageDCX, ERR_FILE_TYPE);
        return 0;
    }
    for (int i = 0; i < MaxPages; ++i) offsets_[std::size_t(i)] = Le32(readPtr + 4 + 4 * i);
    while (pageCount_ < MaxPages && offsets_[std::size_t(pageCount_)] != 0) ++pageCount_;
    readPtr += TableSize;
    rendererInfo->frameCount = pageCount_;
    SeekFrame(0, 0);
    return 1;
}

int mImageDCX::SeekFrame(int n, int origin)
{
    if (origin == 1)
        n += frameInfo->currentFrame;
    else if (origin == 2)
        n = pageCount_ - n;
    // Pages before the first, like pages after the last, do not exist.
    if (n < 0 || n >= pageCount_) return frameInfo->currentFrame;
    const long start = base_ + long(offsets_[std::size_t(n)]);
    if (FileSeek(start, SEEK_SET) != start || !ReadPictureHeader()) return frameInfo->currentFrame;
    frameInfo->currentFrame = n;
    rendererInfo->frameCount = pageCount_;
    // The page's table ends where the next page starts.
    ReadEndPalette(n + 1 < pageCount_ ? base_ + long(offsets_[std::size_t(n + 1)]) : Length());
    return n;
}

int mImageDCX::Draw(int x, int y, const mRect* clip)
{
    if (magic_ != Magic && !ReadHeader()) return 0;
    // No page read: nothing to draw.
    if (rendererInfo->formatTag != TagPcx) return 0;
    return mImagePCX::Draw(x, y, clip);
}

int mImageDCX::WriteHeader()
{
    Error(CLASS_mImageDCX, ERR_NOT_IMPLEMENTED, "WriteHeader()");
    return 0;
}

int mImageDCX::WriteFrame()
{
    Error(CLASS_mImageDCX, ERR_NOT_IMPLEMENTED, "WriteFrame()");
    return -1;
}
