#include "engine/core/mImageFlic.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint32_t TagFli = 'F' | 'L' << 8 | 'I' << 16;
constexpr std::uint32_t TagFlc = 'F' | 'L' << 8 | 'C' << 16;
constexpr std::int32_t FlicExtra = 4;
constexpr long CopyPiece = 1024;
// Writes the two bytes again and again, the first at the lower address.
void FillPairs(std::uint8_t* to, const std::uint8_t* pair, int n)
{
    if (pair[0] == pair[1]) {
        std::memset(to, pair[0], std::size_t(n));
        return;
    }
    const std::uint8_t pattern[8] = {pair[0], pair[1], pair[0], pair[1], pair[0], pair[1], pair[0], pair[1]};
    int i = 0;
    for (; i + 8 <= n; i += 8) std::memcpy(to + i, pattern, 8);
    for (; i < n; ++i) to[i] = pair[i & 1];
}

} // namespace

// Reads one chunk's body: never more than the chunk declares, never past
// the stream's end. After the first failed read every read fails.
class mImageFlic::ChunkReader {
public:
    ChunkReader(mFile& file, long size) : file_(file), left_(size) {}

    const std::uint8_t* Take(long n)
    {
        if (n > left_ || !file_.MakeAvailable(n)) {
            left_ = -1; // every later read fails too
            return nullptr;
        }
        const std::uint8_t* p = file_.readPtr;
        file_.readPtr += n;
        left_ -= n;
        return p;
    }
    bool U8(int& v)
    {
        const std::uint8_t* p = Take(1);
        return p && ((v = p[0]), true);
    }
    bool S8(int& v)
    {
        const std::uint8_t* p = Take(1);
        return p && ((v = std::int8_t(p[0])), true);
    }
    bool U16(int& v)
    {
        const std::uint8_t* p = Take(2);
        return p && ((v = mFile::Le16(p)), true);
    }
    bool S16(int& v)
    {
        const std::uint8_t* p = Take(2);
        return p && ((v = std::int16_t(mFile::Le16(p))), true);
    }
    // One DELTA_FLC packet: column skip, signed word count, then the words
    // (count >= 0) or the one word to repeat. Returns the data.
    const std::uint8_t* FlcPacket(int& skip, int& count)
    {
        // The longest packet fits: no check per field.
        constexpr long Longest = 2 + 2 * 127;
        if (left_ >= Longest && file_.windowEnd - file_.readPtr >= Longest) {
            const std::uint8_t* p = file_.readPtr;
            skip = p[0];
            count = std::int8_t(p[1]);
            const long n = 2 + (count >= 0 ? 2L * count : 2L);
            file_.readPtr += n;
            left_ -= n;
            return p + 2;
        }
        const std::uint8_t* head = Take(2);
        if (!head) return nullptr;
        skip = head[0];
        count = std::int8_t(head[1]);
        return Take(count >= 0 ? 2L * count : 2L);
    }
    // The next byte without taking it, if the chunk has one.
    bool Peek(int& v)
    {
        if (left_ < 1 || !file_.MakeAvailable(1)) return false;
        v = file_.readPtr[0];
        return true;
    }

private:
    mFile& file_;
    long left_;
};

mImageFlic::~mImageFlic()
{
    Close();
    SetTarget(nullptr);
    if (useCount != 0) {
        Warning(CLASS_mImageFlic, ERR_STILL_IN_USE);
        useCount = 0;
    }
}

void mImageFlic::Close()
{
    frame_.reset();
    frameInfo->colours = nullptr;
    if (open) CloseFile();
    rendererInfo->formatTag = 0;
}

int mImageFlic::ReadHeader()
{
    if (!open || rendererInfo->formatTag != 0) return 0;
    badFrameAt_ = -1;
    warned_.clear();
    recordedNext_ = 0;
    const bool whole = MakeAvailable(HeaderSize);
    if (whole) std::memcpy(header_.data(), readPtr, HeaderSize);
    const std::uint16_t magic = whole ? Le16(&header_[4]) : 0;
    const int width = Le16(&header_[8]), height = Le16(&header_[10]);
    // A picture without pixels is no animation either.
    if ((magic != MagicFli && magic != MagicFlc) || width == 0 || height == 0) {
        Error(CLASS_mImageFlic, ERR_FILE_TYPE, Detail());
        Close();
        return 0;
    }
    readPtr += HeaderSize;
    const bool flc = magic == MagicFlc;
    const long afterHeader = Tell();
    frame1Offset_ = flc && Le32(&header_[80]) ? long(Le32(&header_[80])) : afterHeader;
    frame2Offset_ = flc ? long(Le32(&header_[84])) : 0;
    if (Tell() != frame1Offset_) FileSeek(frame1Offset_, SEEK_SET);

    const std::uint32_t speed = Le32(&header_[16]);
    *rendererInfo = {Le16(&header_[6]), flc ? TagFlc : TagFli, Le32(&header_[0]), width, height, FlicExtra};
    frameInfo->currentFrame = 0;
    frameInfo->framePeriod = flc ? speed : speed * 100 / 7;
    frameInfo->width = width;
    frameInfo->height = height;
    frameInfo->depth = Le16(&header_[12]);
    frameInfo->planes = 1;

    frame_ = std::make_unique<mBitmap>();
    // Made in the target's row order at once: turning it round later would
    // touch every row of a picture nothing has drawn yet.
    if (!frame_->Create(width, target && target->desc.topDown ? -height : height, 8)) {
        Close();
        return 0;
    }
    frameBlank_ = true;
    if (frameInfo->transparent) frame_->SetTransparentIndex(frameInfo->transparentColour);
    if (frameInfo->remap) frame_->EnableTranslation(true);
    frameInfo->colours = frame_->desc.colours;

    quiet_ = true;
    Draw(0, 0, nullptr);
    quiet_ = false;
    frameInfo->currentFrame = 0;
    // Without a recorded second frame, the ring frame's loop goes on where
    // frame 1 starts.
    if (frame2Offset_ == 0) {
        AtFrameHeader(); // steps over what pads frame 0, if anything does
        frame2Offset_ = Tell();
    }
    return 1;
}

int mImageFlic::WriteHeader()
{
    Error(CLASS_mImageFlic, ERR_NOT_IMPLEMENTED, "WriteHeader()");
    return 0;
}

int mImageFlic::WriteFrame()
{
    Error(CLASS_mImageFlic, ERR_NOT_IMPLEMENTED, "WriteFrame()");
    return -1;
}

int mImageFlic::Draw(int x, int y, const mRect* clip)
{
    if (rendererInfo->formatTag == 0 && !ReadHeader()) return -1;
    if (!quiet_) frameInfo->paletteChanged = 0;
    if (frameInfo->currentFrame != lastDecoded_ && !DecodeFrame()) return -1;
    if (frameInfo->autoAdvance && !quiet_)
        frameInfo->currentFrame = std::min(frameInfo->currentFrame + 1, std::max(rendererInfo->frameCount - 1, 0));
    if (quiet_ || !target) return lastDecoded_;

    mRect dest = clip ? *clip : mRect{0, 0, target->desc.width, target->desc.height};
    dest = {std::max(dest.left, x), std::max(dest.top, y), std::min(dest.right, x + frameInfo->width),
            std::min(dest.bottom, y + frameInfo->height)};
    if (!dest.Empty()) frame_->Copy(*target, dest, dest.left - x, dest.top - y);
    return lastDecoded_;
}

bool mImageFlic::DecodeFrame()
{
    frameInfo->changed = {frameInfo->width, frameInfo->height, 0, 0};
    // Every sprite showing the animation asks for the frame again; the
    // player hears of a damaged one once.
    const long at = Tell();
    if (at == badFrameAt_) return false;
    frameAt_ = at;
    if (!AtFrameHeader()) {
        badFrameAt_ = at;
        Error(CLASS_mImageFlic, ERR_BAD_FRAME_HEADER, Detail());
        return false;
    }
    frameInfo->frameSize = Le32(readPtr);
    recordedNext_ = Tell() + long(frameInfo->frameSize);
    const int chunks = Le16(readPtr + 6);
    readPtr += FrameHeaderSize;
    for (int c = 0; c < chunks; ++c) {
        const long start = Tell();
        if (!MakeAvailable(ChunkHeaderSize)) break;
        const long chunkSize = long(Le32(readPtr));
        const std::uint16_t type = Le16(readPtr + 4);
        readPtr += ChunkHeaderSize;
        // A size below the header's own would never move on.
        const long declared = std::max(chunkSize, long(ChunkHeaderSize));
        DecodeChunk(type, declared - ChunkHeaderSize);
        FileSeek(start + (type == BLACK ? ChunkHeaderSize : declared), SEEK_SET);
    }
    position = Tell();
    lastDecoded_ = frameInfo->currentFrame;
    if (autoTransparent_) TakeTopLeftAsTransparent();
    return true;
}

bool mImageFlic::AtFrameHeader()
{
    auto header = [this] { return MakeAvailable(FrameHeaderSize) && Le16(readPtr + 4) == MagicFrame; };
    if (header()) return true;
    // Some writers pad a frame after a chunk of odd size, and only the
    // frame's recorded size counts the pad byte. Only forward: a frame is
    // never read twice this way.
    const long at = Tell();
    if (recordedNext_ <= at) return false;
    FileSeek(recordedNext_, SEEK_SET);
    if (header()) return true;
    FileSeek(at, SEEK_SET);
    return false;
}

void mImageFlic::TakeTopLeftAsTransparent()
{
    const bool wasOn = frameInfo->transparent != 0;
    SetTransparentColor(frame_->desc.topRow[0]);
    SetTransparent(wasOn);
}

void mImageFlic::DecodeChunk(std::uint16_t type, long bodySize)
{
    ChunkReader in(*this, bodySize);
    // Only a black chunk keeps the frame known to be all zero.
    if (type == DELTA_FLC || type == DELTA_FLI || type == BYTE_RUN || type == FLI_COPY) frameBlank_ = false;
    switch (type) {
    case COLOR_256: DecodeColours(in, 0); break;
    case COLOR_64: DecodeColours(in, 2); break;
    case DELTA_FLC: DecodeDeltaFlc(in); break;
    case DELTA_FLI: DecodeDeltaFli(in); break;
    case BLACK: DecodeBlack(); break;
    case BYTE_RUN: DecodeByteRun(in); break;
    case FLI_COPY:
        WarnOnce(ERR_NOT_TESTED, "LITERAL");
        DecodeCopy(in);
        break;
    case PSTAMP: break;
    default: WarnOnce(ERR_BAD_CHUNK_TYPE, Detail()); break;
    }
}

void mImageFlic::WarnOnce(unsigned code, const char* detail)
{
    // One damaged frame can hold thousands of chunks, and a looping sprite
    // decodes it again and again.
    if (warned_.insert({code, frameAt_}).second) Warning(CLASS_mImageFlic, code, detail);
}

void mImageFlic::DecodeColours(ChunkReader& in, int shift)
{
    std::uint32_t table[256];
    std::memcpy(table, frame_->desc.colours, sizeof table);
    int packets = 0;
    in.U16(packets);
    int index = 0;
    for (int p = 0; p < packets; ++p) {
        int skip = 0, count = 0;
        if (!in.U8(skip) || !in.U8(count)) break;
        index += skip;
        if (count == 0) count = 256;
        const std::uint8_t* rgb = in.Take(3L * count);
        if (!rgb) break;
        // Entries past the table's end are read and left out.
        for (int i = 0; i < count && index < 256; ++i, ++index) {
            const auto c = [&](int k) { return std::uint32_t(std::uint8_t(rgb[3 * i + k] << shift)); };
            table[index] = c(2) | c(1) << 8 | c(0) << 16;
        }
    }
    frame_->SetColors(table, 0, 256);
    if (!frameInfo->remap) frameInfo->paletteChanged = 1;
}

void mImageFlic::DecodeDeltaFlc(ChunkReader& in)
{
    const int width = frameInfo->width, height = frameInfo->height;
    int lines = 0;
    if (!in.U16(lines)) return;
    mRect& changed = frameInfo->changed;
    int y = 0, top = 0, left = width, right = 0;
    bool firstWord = true;
    for (int line = 0; line < lines && y < height;) {
        int word = 0;
        if (!in.S16(word)) break;
        if (word < 0) {
            if (word & 0x4000) {
                if (firstWord) top = -word;
                y += -word;
            } else if (y < height) {
                frame_->Row(y)[width - 1] = std::uint8_t(word & 0xFF);
            }
            firstWord = false;
            continue;
        }
        firstWord = false;
        std::uint8_t* row = frame_->Row(y);
        int x = 0;
        if (word == 0) left = std::min(left, 0);
        for (int p = 0; p < word; ++p) {
            int skip = 0, count = 0;
            const std::uint8_t* data = in.FlcPacket(skip, count);
            if (!data) return WholeFrameChanged(); // rows were written: none may stay stale
            x += skip;
            if (p == 0) left = std::min(left, x);
            const int bytes = 2 * std::abs(count);
            if (x < width) {
                if (count >= 0) std::memcpy(row + x, data, std::size_t(std::min(bytes, width - x)));
                else FillPairs(row + x, data, std::min(bytes, width - x));
            }
            x += bytes;
            right = std::max(right, std::min(x, width));
        }
        ++y;
        ++line;
    }
    changed = {std::min(left, width), std::min(top, height), right, std::min(y, height)};
}

void mImageFlic::DecodeDeltaFli(ChunkReader& in)
{
    const int width = frameInfo->width, height = frameInfo->height;
    int first = 0, count = 0;
    if (!in.S16(first) || !in.S16(count)) return;
    int left = width, right = 0;
    for (int i = 0; i < count; ++i) {
        const int y = first + i;
        int packets = 0;
        if (!in.U8(packets)) break;
        if (packets == 0) {
            int next = 0;
            if (in.Peek(next)) left = std::min(left, next);
        }
        std::uint8_t* row = y >= 0 && y < height ? frame_->Row(y) : nullptr;
        int x = 0;
        for (int p = 0; p < packets; ++p) {
            int skip = 0, run = 0;
            if (!in.U8(skip) || !in.S8(run)) return WholeFrameChanged();
            x += skip;
            if (p == 0) left = std::min(left, x);
            if (run > 0) {
                const std::uint8_t* data = in.Take(run);
                if (!data) return WholeFrameChanged();
                if (row && x < width) std::memcpy(row + x, data, std::size_t(std::min(run, width - x)));
                x += run;
            } else {
                const std::uint8_t* value = in.Take(1);
                if (!value) return WholeFrameChanged();
                if (row && x < width) std::memset(row + x, value[0], std::size_t(std::min(-run, width - x)));
                x += -run;
            }
            right = std::max(right, std::min(x, width));
        }
    }
    frameInfo->changed = {std::min(left, width), std::clamp(first, 0, height), right,
                          std::clamp(first + count, 0, height)};
}

void mImageFlic::DecodeBlack()
{
    // A large frame is mostly untouched memory: clearing it again would
    // make the system hand out every page of it.
    if (!frameBlank_) {
        const BitmapDesc& d = frame_->desc;
        std::memset(d.bits, 0, std::size_t(d.stride) * std::size_t(d.height));
    }
    frameBlank_ = true;
    WholeFrameChanged();
}

void mImageFlic::DecodeByteRun(ChunkReader& in)
{
    const int width = frameInfo->width;
    for (int y = 0; y < frameInfo->height; ++y) {
        std::uint8_t* row = frame_->Row(y);
        if (!in.Take(1)) break; // the old packet count
        for (int x = 0; x < width;) {
            int count = 0;
            if (!in.S8(count)) {
                WholeFrameChanged();
                return;
            }
            const int n = std::min(std::abs(count), width - x);
            if (count >= 0) {
                const std::uint8_t* value = in.Take(1);
                if (!value) break;
                std::memset(row + x, value[0], std::size_t(n));
                x += count;
            } else {
                const std::uint8_t* data = in.Take(-count);
                if (!data) break;
                std::memcpy(row + x, data, std::size_t(n));
                x += -count;
            }
        }
    }
    WholeFrameChanged();
}

void mImageFlic::DecodeCopy(ChunkReader& in)
{
    const int width = frameInfo->width;
    for (int y = 0; y < frameInfo->height; ++y) {
        for (int x = 0; x < width;) {
            const long n = std::min(CopyPiece, long(width - x));
            const std::uint8_t* data = in.Take(n);
            if (!data) {
                WholeFrameChanged();
                return;
            }
            std::memcpy(frame_->Row(y) + x, data, std::size_t(n));
            x += int(n);
        }
    }
    WholeFrameChanged();
}

void mImageFlic::WholeFrameChanged()
{
    frameInfo->changed = {0, 0, frameInfo->width, frameInfo->height};
}

int mImageFlic::SeekFrame(int n, int origin)
{
    const int count = rendererInfo->frameCount;
    const int wanted = origin == 0 ? n : origin == 1 ? n + lastDecoded_ : count - n;
    if (rendererInfo->formatTag == 0 || wanted < 0 || wanted >= count) return frameInfo->currentFrame;
    if (wanted == lastDecoded_) return frameInfo->currentFrame = wanted;

    quiet_ = true;
    if (wanted == lastDecoded_ + 1) {
        frameInfo->currentFrame = wanted;
        Draw(0, 0, nullptr);
    } else if (wanted == 0 && lastDecoded_ == count - 1 && AtFrameHeader()) {
        // The ring frame after the last one turns its picture back into
        // frame 0; frame 1 follows from the second frame's offset. Files
        // without a ring frame start again from frame 0 below.
        frameInfo->currentFrame = 0;
        Draw(0, 0, nullptr);
        FileSeek(frame2Offset_, SEEK_SET);
        recordedNext_ = 0;
    } else {
        if (wanted > lastDecoded_) {
            frameInfo->currentFrame = lastDecoded_;
        } else {
            frameInfo->currentFrame = 0;
            FileSeek(frame1Offset_, SEEK_SET);
            recordedNext_ = 0;
            lastDecoded_ = -1;
        }
        while (frameInfo->currentFrame < wanted) {
            // A frame that cannot be decoded stops every one after it at
            // the same place: a header claiming 65 535 frames would
            // otherwise be walked frame by frame.
            Draw(0, 0, nullptr);
            if (lastDecoded_ != frameInfo->currentFrame) {
                frameInfo->currentFrame = wanted;
                break;
            }
            ++frameInfo->currentFrame;
        }
        WholeFrameChanged();
        quiet_ = false;
        return 0;
    }
    quiet_ = false;
    return wanted;
}

void mImageFlic::MatchPalette()
{
    if (frameInfo->remap && target && frame_) translationNeeded = frame_->BuildTranslation(target);
}

int mImageFlic::SetTarget(mBitmap* bitmap)
{
    mRenderer::SetTarget(bitmap);
    if (!bitmap) return 1;
    if (bitmap->desc.bitCount != 8 || bitmap->desc.planes != 1) {
        Error(CLASS_mImageFlic, ERR_BITMAP, "Bitmap wrong format");
        return 0;
    }
    // An all-black frame reads the same either way up.
    if (frame_) frame_->SetTopDown(bitmap->desc.topDown != 0, !frameBlank_);
    return 1;
}

void mImageFlic::SetTransparent(bool on)
{
    mRenderer::SetTransparent(on);
    if (frame_) frame_->EnableTransparency(on);
}

void mImageFlic::SetTransparentColor(std::uint32_t index)
{
    mRenderer::SetTransparentColor(index);
    if (frame_) frame_->SetTransparentIndex(index);
    autoTransparent_ = false;
}

void mImageFlic::SetRemap(bool on)
{
    mRenderer::SetRemap(on);
    if (frame_) frame_->EnableTranslation(on);
    frameInfo->paletteChanged = on ? 0 : 1;
}
