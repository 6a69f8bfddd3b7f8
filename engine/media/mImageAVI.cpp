#include "engine/media/mImageAVI.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

namespace {

platform::VideoCodecs* videoCodecs = nullptr;

constexpr std::uint32_t Id(const char (&s)[5])
{
    return mFile::FourCC(s);
}

constexpr std::uint32_t Suffix(char a, char b)
{
    return std::uint32_t(std::uint8_t(a)) << 16 | std::uint32_t(std::uint8_t(b)) << 24;
}

constexpr int MaxSide = 8192;
constexpr long PaletteChangeMax = 4 + 4 * 256;

// The two decimal digits of a stream's number, tens first, as the first
// two characters of its chunk ids; numbers above 99 wrap.
std::uint16_t StreamDigits(std::uint32_t n)
{
    n %= 100;
    return std::uint16_t(('0' + n / 10) | ('0' + n % 10) << 8);
}

} // namespace

void mImageAVI::SetVideoCodecs(platform::VideoCodecs* codecs)
{
    videoCodecs = codecs;
}

mImageAVI::mImageAVI()
{
    // The sound is fed by Draw, chunk by chunk, not by the player itself.
    autoRefill = false;
}

mImageAVI::~mImageAVI()
{
    videoFormat.clear();
    frameBuffer.clear();
    CloseDecompressor();
    SetTarget(nullptr);
    if (useCount != 0) {
        Warning(CLASS_mImageAVI, ERR_STILL_IN_USE);
        useCount = 0;
    }
    frameBitmap.Reset();
}

void mImageAVI::CloseDecompressor()
{
    if (decompressor) decompressor->End();
    decompressor.reset();
}

int mImageAVI::ReadHeader()
{
    if (!open) return 0;
    if (streamInfo->playing) Stop();
    SetBuffer(nullptr, 0, 0);
    rendererInfo->formatTag = 0;
    // A movie is a file of its own: its form starts at the beginning.
    if (FileSeek(0, SEEK_SET) != 0 || !CheckRiff(Id("AVI ")) || !FindList(Id("hdrl")) || !FindChunk(Id("avih")))
        return 0;
    std::uint8_t raw[MainHeaderSize] = {};
    if (FileRead(raw, MainHeaderSize) != MainHeaderSize) return 0;
    const auto word = [&raw](int i) { return Le32(raw + 4 * i); };
    mainHeader = {word(0), word(1), word(2),  word(3),  word(4),  word(5),  word(6),
                  word(7), word(8), word(9), {word(10), word(11), word(12), word(13)}};

    const std::int32_t width = std::int32_t(std::min<std::uint32_t>(mainHeader.width, INT32_MAX));
    const std::int32_t height = std::int32_t(std::min<std::uint32_t>(mainHeader.height, INT32_MAX));
    *rendererInfo = {std::int32_t(std::min<std::uint32_t>(mainHeader.totalFrames, INT32_MAX)), 0,
                     std::uint32_t(chunkEnd[0]), width, height, 0};
    FrameInfo& f = *frameInfo;
    f.currentFrame = 0;
    // A period of 0 would make a sprite step without end.
    f.framePeriod = std::max<std::uint32_t>(mainHeader.microSecPerFrame / 1000, 1);
    f.width = width;
    f.height = height;
    f.changed = {0, 0, width, height};
    f.transparentColour = 0;
    streamInfo->itemCount = 0;
    SkipChunk();

    for (std::uint32_t i = 0; i < mainHeader.streams; ++i)
        if (!ReadStreamList(i)) return 0;
    Ascend();
    if (streamInfo->itemCount == 0) streamInfo->typeTag = TagNone;

    // Offsets are kept in 32 bits, as the format's own are.
    if (!FindList(Id("movi")) || Tell() > INT32_MAX) return 0;
    moviStart = std::int32_t(Tell());
    moviEnd_ = chunkEnd[chunkDepth];
    Ascend();
    rendererInfo->formatTag = TagAvi;
    indexStart = 0;
    if (mainHeader.flags & HasIndex) {
        if (FindChunk(Id("idx1")) && Tell() <= INT32_MAX) {
            indexStart = std::int32_t(Tell());
            indexBytes_ = lastChunkSize;
        } else {
            mainHeader.flags &= ~HasIndex;
        }
    }
    FileSeek(moviStart, SEEK_SET);
    lastDecoded = -1;
    return 1;
}

bool mImageAVI::ReadStreamList(std::uint32_t index)
{
    if (!FindList(Id("strl")) || !FindChunk(Id("strh"))) return false;
    std::uint8_t raw[StreamHeaderSize] = {};
    FileRead(raw, StreamHeaderSize);
    StreamHeader h{};
    h.type = Le32(raw);
    h.handler = Le32(raw + 4);
    h.flags = Le32(raw + 8);
    h.priority = Le16(raw + 12);
    h.language = Le16(raw + 14);
    const auto word = [&raw](int at) { return Le32(raw + at); };
    h.initialFrames = word(16);
    h.scale = word(20);
    h.rate = word(24);
    h.start = word(28);
    h.length = word(32);
    h.suggestedBufferSize = word(36);
    h.quality = word(40);
    h.sampleSize = word(44);
    for (int i = 0; i < 4; ++i) h.frame[i] = std::int16_t(Le16(raw + 48 + 2 * i));
    SkipChunk();
    if (!FindChunk(Id("strf"))) return false;
    const std::uint32_t formatSize = lastChunkSize;
    if (h.type == Id("vids") && !TakeVideoStream(index, h, formatSize)) return false;
    if (h.type == Id("auds")) TakeAudioStream(index, h, formatSize);
    SkipChunk();
    Ascend();
    return true;
}

bool mImageAVI::TakeVideoStream(std::uint32_t index, const StreamHeader& header, std::uint32_t formatSize)
{
    if (header.priority < videoPriority && std::int32_t(index) != videoStream) return true;
    // A stream taken by its number keeps the priority it was chosen with,
    // so later streams of lower priority do not take its place.
    videoPriority = std::max<std::uint32_t>(videoPriority, header.priority);
    videoStream = std::int32_t(index);
    paletteChanges_ = (header.flags & PaletteChanges) != 0;
    videoStreamNumber = StreamDigits(index);
    try {
        videoFormat.assign(std::min(formatSize, MaxVideoFormat), 0);
    } catch (const std::bad_alloc&) {
        Error(CLASS_mImageAVI, ERR_OUT_OF_MEMORY);
        return false;
    }
    FileRead(videoFormat.data(), long(videoFormat.size()));
    // A suggestion larger than any frame could be is left for the frames
    // themselves to settle.
    const std::uint32_t suggested = header.suggestedBufferSize;
    frameBuffer.clear();
    frameBufferSize = 0;
    if (suggested != 0 && suggested <= MaxFrameBytes && long(suggested) <= Length() && !GrowFrameBuffer(suggested))
        return false;
    const int width = frameInfo->width, height = frameInfo->height;
    if (width < 1 || height < 1 || width > MaxSide || height > MaxSide || !frameBitmap.Create(width, height, 8))
        return false;
    if (frameInfo->transparent) frameBitmap.SetTransparentIndex(frameInfo->transparentColour);
    if (frameInfo->remap) frameBitmap.EnableTranslation(true);
    if (!OpenDecompressor(header.handler)) return false;
    frameInfo->colours = frameBitmap.desc.colours;
    if (!frameInfo->remap) frameInfo->paletteChanged = 1;
    frameInfo->depth = frameBitmap.desc.bitCount;
    frameInfo->planes = frameBitmap.desc.planes;
    return true;
}

bool mImageAVI::OpenDecompressor(std::uint32_t handler)
{
    CloseDecompressor();
    if (handler == Id("RLE ")) handler = Id("MRLE");
    if (!videoCodecs) return false;
    decompressor = videoCodecs->Open(platform::VideoCodecs::TypeVideo, handler, platform::VideoCodecs::FastDecompress);
    if (!decompressor) return false;
    if (!decompressor->Begin(videoFormat.data(), videoFormat.size())) {
        decompressor.reset();
        return false;
    }
    trueColourTable_.clear();
    PaletteFromDecompressor();
    return true;
}

void mImageAVI::PaletteFromDecompressor()
{
    std::uint32_t colours[256];
    decompressor->GetPalette(colours);
    frameBitmap.SetColors(colours, 0, 256);
    if (!decompressor->IndexedOutput()) trueColourTable_ = ConversionTable(frameBitmap);
}

void mImageAVI::TakeAudioStream(std::uint32_t index, const StreamHeader& header, std::uint32_t formatSize)
{
    ++streamInfo->itemCount;
    if (header.priority < audioPriority && std::int32_t(index) != audioStream) return;
    audioPriority = std::max<std::uint32_t>(audioPriority, header.priority);
    audioStream = std::int32_t(index);
    audioChunkId = StreamDigits(index) | Suffix('w', 'b');
    // The format is read where the file stands; a header that looks like a
    // form of its own must not move the movie's chunk bookkeeping.
    const int depth = chunkDepth;
    long ends[ChunkDepthLimit];
    std::copy(std::begin(chunkEnd), std::end(chunkEnd), ends);
    const long formatEnd = lastChunkEnd;
    Open(formatSize);
    chunkDepth = depth;
    std::copy(std::begin(ends), std::end(ends), chunkEnd);
    lastChunkEnd = formatEnd;
    // The stream counts blocks of all channels, the player single samples:
    // taken as they stand, a stereo track would be cut to half its length.
    const std::uint64_t units = std::uint64_t(header.length) * std::max<std::uint32_t>(format->channels, 1);
    format->lengthUnits = std::uint32_t(std::min<std::uint64_t>(units, UINT32_MAX));
    format->lengthMs = UnitsToTime(format->lengthUnits);
    format->lengthBytes = UnitsToBytes(format->lengthUnits);
    SetTimeFormat(TimeMilliseconds);
    // Each play buffer holds one frame's sound and 10 ms more.
    const std::uint32_t initial = std::min<std::uint32_t>(mainHeader.initialFrames, MaxBufferCount);
    SetBuffering(mainHeader.microSecPerFrame / 1000 + 10, std::int32_t(initial) + 2);
}

int mImageAVI::WriteHeader()
{
    Error(CLASS_mImageAVI, ERR_NOT_IMPLEMENTED, "WriteHeader()");
    return 0;
}

int mImageAVI::WriteFrame()
{
    Error(CLASS_mImageAVI, ERR_NOT_IMPLEMENTED, "WriteFrame()");
    return 0;
}

int mImageAVI::Draw(int x, int y, const mRect* clip)
{
    // Frames decoded on the way to another need no target.
    if (!target && !seeking) return -1;
    if (rendererInfo->formatTag != TagAvi && !ReadHeader()) return -1;
    if (!decompressor) return -1;
    if (!seeking) frameInfo->paletteChanged = 0;
    if (frameInfo->currentFrame != lastDecoded) {
        SetBuffer(nullptr, 0, 0);
        if (!ReadNextFrame()) return -1;
        Decompress(frameBytes_);
        lastDecoded = frameInfo->currentFrame;
        if (lastDecoded == rendererInfo->frameCount - 1 && !seeking) {
            tailAt_ = Tell();
            tailLeft_ = 0;
            QueueSoundTail();
        }
        if (colourFromFirstPixel) {
            const bool wasOn = frameInfo->transparent != 0;
            SetTransparentColor(frameBitmap.desc.topRow[0]);
            SetTransparent(wasOn);
        }
    }
    if (!seeking) DrawInto(x, y, clip);
    if (frameInfo->autoAdvance || seeking)
        frameInfo->currentFrame = std::min(frameInfo->currentFrame + 1, std::max(rendererInfo->frameCount - 1, 0));
    return lastDecoded;
}

bool mImageAVI::IsFrameChunk(std::uint32_t id) const
{
    // Palette changes carry the stream's number too but are no frames.
    const std::uint32_t kind = id & 0xFFFF0000u;
    return (id & 0xFFFF) == videoStreamNumber && (kind == Suffix('d', 'b') || kind == Suffix('d', 'c'));
}

bool mImageAVI::ReadNextFrame()
{
    // Every step moves on: a chunk that leads back ends the walk.
    for (long last = -1; Tell() > last; ) {
        last = Tell();
        if (Tell() + 8 > moviEnd_ || !MakeAvailable(8)) return false;
        const std::uint32_t id = Le32(readPtr);
        if (id == Id("LIST")) {
            // A record's chunks are read as if they stood in the movie list.
            if (MakeAvailable(12) && Le32(readPtr + 8) == Id("rec ")) {
                readPtr += 12;
                continue;
            }
        } else if (IsFrameChunk(id)) {
            return ReadFrameChunk();
        } else if (id == audioChunkId || id == (videoStreamNumber | Suffix('p', 'c'))) {
            EnterChunk();
            if (id == audioChunkId) QueueSound(lastChunkSize);
            else ReadPaletteChange(lastChunkSize);
            SetBuffer(nullptr, 0, 0);
            SkipChunk();
            continue;
        }
        if (!NextChunk()) return false;
    }
    return false;
}

bool mImageAVI::ReadFrameChunk()
{
    EnterChunk();
    // A chunk cut short by the end of the file gives what is there.
    const long there = std::max(Length() - Tell(), 0L);
    std::uint32_t bytes = std::uint32_t(std::min<long>(lastChunkSize, there));
    if (bytes > MaxFrameBytes) bytes = 0;
    if (bytes > std::uint32_t(frameBufferSize) && !GrowFrameBuffer(bytes)) return false;
    frameBytes_ = std::uint32_t(ReadStraight(frameBuffer.data(), long(bytes)));
    SetBuffer(nullptr, 0, 0);
    SkipChunk();
    return true;
}

bool mImageAVI::GrowFrameBuffer(std::uint32_t bytes)
{
    try {
        // The file reads whole words: room for the last one.
        frameBuffer.assign(std::size_t(bytes) + 4, 0);
    } catch (const std::bad_alloc&) {
        Error(CLASS_mImageAVI, ERR_OUT_OF_MEMORY);
        return false;
    }
    frameBufferSize = std::int32_t(bytes);
    return true;
}

void mImageAVI::QueueSound(std::uint32_t bytes)
{
    // A chunk longer than a play buffer goes into as many as are free.
    const long end = Tell() + long(bytes);
    while (streamInfo->playing && Tell() < end) {
        const long before = Tell();
        if (Fill(std::uint32_t(end - before)) != 0 || Tell() <= before) break;
    }
}

void mImageAVI::BufferFree()
{
    QueueSoundTail();
}

void mImageAVI::QueueSoundTail()
{
    // A buffer coming back while the tail is being queued only makes room.
    if (queueingTail_ || tailAt_ == 0 || !streamInfo->playing) return;
    queueingTail_ = true;
    const long resume = Tell();
    FileSeek(tailAt_, SEEK_SET);
    bool more = true;
    while (tailLeft_ > 0 || (more = NextTailChunk())) {
        const long before = Tell();
        const bool queued = Fill(tailLeft_) == 0 && Tell() > before;
        SetBuffer(nullptr, 0, 0);
        tailLeft_ -= std::min(std::uint32_t(std::max(Tell() - before, 0L)), tailLeft_);
        // The output is busy, or the pass is over.
        if (!queued) break;
    }
    tailAt_ = more && streamInfo->playing ? Tell() : 0;
    FileSeek(resume, SEEK_SET);
    queueingTail_ = false;
}

// Moves to the next sound chunk of the movie list; false when there is none.
bool mImageAVI::NextTailChunk()
{
    while (Tell() + 8 <= moviEnd_ && MakeAvailable(8)) {
        const std::uint32_t id = Le32(readPtr), bytes = Le32(readPtr + 4);
        if (id == Id("LIST")) {
            // A record's chunks stand in the movie list as well.
            FileSeek(Tell() + (MakeAvailable(12) && Le32(readPtr + 8) == Id("rec ") ? 12 : 8 + long(bytes) + (bytes & 1)),
                     SEEK_SET);
            continue;
        }
        if (id == audioChunkId && bytes > 0) {
            FileSeek(Tell() + 8, SEEK_SET);
            tailLeft_ = std::uint32_t(std::min<long>(bytes, std::max(moviEnd_ - Tell(), 0L)));
            if (tailLeft_ > 0) return true;
        }
        FileSeek(Tell() + 8 + long(bytes) + (bytes & 1), SEEK_SET);
    }
    return false;
}

std::int32_t mImageAVI::Stop()
{
    tailAt_ = 0;
    tailLeft_ = 0;
    return mAudioWAV::Stop();
}

void mImageAVI::ReadPaletteChange(std::uint32_t bytes)
{
    std::uint8_t change[PaletteChangeMax] = {};
    const long got = FileRead(change, std::min<long>(bytes, PaletteChangeMax));
    paletteChanges_ = true;
    if (got < 4 || !decompressor) return;
    const int first = change[0];
    const int count = change[1] == 0 ? 256 : change[1];
    decompressor->ChangePalette(first, std::min<int>(count, int(got - 4) / 4), change + 4);
}

void mImageAVI::Decompress(std::uint32_t bytes)
{
    const BitmapDesc& d = frameBitmap.desc;
    const platform::IndexedPicture picture{d.topRow, d.rowStep, d.width, d.height,
                                           trueColourTable_.empty() ? nullptr : trueColourTable_.data()};
    bool paletteChanged = false;
    decompressor->Decompress(frameBuffer.data(), bytes, picture, paletteChanged);
    if (!paletteChanged) return;
    PaletteFromDecompressor();
    if (!frameInfo->remap) frameInfo->paletteChanged = 1;
    else MatchPalette();
}

void mImageAVI::DrawInto(int x, int y, const mRect* clip)
{
    mRect area = clip ? *clip : mRect{0, 0, target->desc.width, target->desc.height};
    area = {std::max(area.left, x), std::max(area.top, y), std::min(area.right, x + frameInfo->width),
            std::min(area.bottom, y + frameInfo->height)};
    if (!area.Empty()) frameBitmap.Copy(*target, area, area.left - x, area.top - y);
}

int mImageAVI::SeekFrame(int n, int origin)
{
    if (rendererInfo->formatTag != TagAvi && !ReadHeader()) return frameInfo->currentFrame;
    const std::int64_t count = rendererInfo->frameCount;
    const std::int64_t t = origin == 1 ? std::int64_t(lastDecoded) + n : origin == 2 ? count - n : n;
    if (t >= count || t < 0) return frameInfo->currentFrame;
    if (t == lastDecoded || t == std::int64_t(lastDecoded) + 1) return frameInfo->currentFrame = std::int32_t(t);
    const int wanted = std::int32_t(t);
    // Frames are read again: their sound comes with them, not as the tail.
    tailAt_ = 0;
    tailLeft_ = 0;
    seeking = true;
    frameInfo->currentFrame = DecodeStart(wanted);
    while (frameInfo->currentFrame < wanted)
        if (Draw(0, 0, nullptr) < 0) break;
    seeking = false;
    frameInfo->currentFrame = wanted;
    return 0;
}

int mImageAVI::DecodeStart(int t)
{
    // A frame's colours depend on every palette change before it: such a
    // movie is not entered at a key frame.
    const bool useIndex = indexStart != 0 && (mainHeader.flags & HasIndex) && !paletteChanges_;
    if (useIndex && std::int64_t(t) - lastDecoded > ForwardDecodeLimit) {
        SetBuffer(nullptr, 0, 0);
        const long noted = Tell();
        long offset = 0;
        int key = 0;
        if (KeyFrameBefore(t, offset, key)) {
            if (key < lastDecoded && lastDecoded < t) {
                FileSeek(noted, SEEK_SET);
                return lastDecoded + 1;
            }
            // Offsets count from the movie list's type; some writers give
            // them from the file's start instead.
            for (const long at : {long(moviStart) + offset - 4, offset}) {
                if (at < moviStart || FileSeek(at, SEEK_SET) != at || !MakeAvailable(8) || !IsFrameChunk(Le32(readPtr)))
                    continue;
                lastDecoded = -1;
                return key;
            }
        }
        // An index that names no usable key frame: from the first frame.
    } else if (lastDecoded < t) {
        return lastDecoded + 1;
    }
    FileSeek(moviStart, SEEK_SET);
    lastDecoded = -1;
    if (paletteChanges_) RestorePalette();
    return 0;
}

// The colours the movie starts with, those of its format, as a change.
void mImageAVI::RestorePalette()
{
    constexpr std::size_t InfoHeaderSize = 40;
    if (!decompressor || videoFormat.size() < InfoHeaderSize) return;
    const int bits = Le16(&videoFormat[14]);
    const std::uint32_t used = Le32(&videoFormat[32]);
    std::size_t count = used != 0 ? used : bits <= 8 ? std::size_t(1) << bits : 0;
    count = std::min({count, std::size_t(256), (videoFormat.size() - InfoHeaderSize) / 4});
    std::vector<std::uint8_t> entries(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* bgr = &videoFormat[InfoHeaderSize + 4 * i];
        entries[4 * i] = bgr[2];
        entries[4 * i + 1] = bgr[1];
        entries[4 * i + 2] = bgr[0];
    }
    if (count > 0) decompressor->ChangePalette(0, int(count), entries.data());
}

bool mImageAVI::KeyFrameBefore(int t, long& offset, int& key)
{
    if (FileSeek(indexStart, SEEK_SET) != indexStart) return false;
    const std::uint32_t entries = indexBytes_ / 16;
    bool found = false;
    int frame = 0;
    for (std::uint32_t i = 0; i < entries && frame <= t && MakeAvailable(16); ++i, readPtr += 16) {
        if (!IsFrameChunk(Le32(readPtr))) continue;
        if (Le32(readPtr + 4) & KeyFrame) {
            offset = long(Le32(readPtr + 8));
            key = frame;
            found = true;
        }
        ++frame;
    }
    return found;
}

void mImageAVI::MatchPalette()
{
    if (frameInfo->remap && target) translationNeeded = frameBitmap.BuildTranslation(target);
}

void mImageAVI::SetTransparent(bool on)
{
    mRenderer::SetTransparent(on);
    frameBitmap.EnableTransparency(on);
}

void mImageAVI::SetTransparentColor(std::uint32_t index)
{
    mRenderer::SetTransparentColor(index);
    frameBitmap.SetTransparentIndex(index);
    colourFromFirstPixel = false;
}

void mImageAVI::SetRemap(bool on)
{
    mRenderer::SetRemap(on);
    frameBitmap.EnableTranslation(on);
    frameInfo->paletteChanged = on ? 0 : 1;
}

std::int32_t mImageAVI::Play(std::uint32_t length, std::uint32_t passes)
{
    // Without a sound format the player would read one from wherever the
    // movie stands.
    if (formatBlock.empty()) return 0;
    // The sound starts with the chunks that come: there is no position in
    // the file to start from.
    if (!streamInfo->playing) streamInfo->position = 0;
    return mAudioWAV::Play(length, passes);
}

std::int32_t mImageAVI::SetPosition(std::int32_t item)
{
    streamInfo->currentItem = item;
    audioStream = item;
    audioChunkId = StreamDigits(std::uint32_t(item)) | Suffix('w', 'b');
    audioPriority = 99;
    return item;
}
