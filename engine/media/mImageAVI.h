#pragma once

#include "engine/media/mAudioWAV.h"
#include "engine/sprites/mRenderer.h"
#include "platform/VideoCodecs.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// An AVI movie as a frame source with its sound. One video stream is
// decoded through the platform's video decompressor into an 8-bit frame
// bitmap; one audio stream plays through the wave player this source is,
// fed with the sound chunks met while frames are read. The file is shared
// by both.
class mImageAVI : public mAudioWAV, public mRenderer {
public:
    static constexpr std::uint32_t TagAvi = 'A' | 'V' << 8 | 'I' << 16 | ' ' << 24;
    static constexpr std::uint32_t TagNone = 'N' | 'O' << 8 | 'N' << 16 | 'E' << 24;
    static constexpr std::uint32_t HasIndex = 0x10;
    static constexpr std::uint32_t KeyFrame = 0x10;
    static constexpr std::uint32_t PaletteChanges = 0x10000; // of a video stream's flags
    static constexpr std::uint32_t MaxVideoFormat = 1064;
    static constexpr int MainHeaderSize = 56;
    static constexpr int StreamHeaderSize = 64;
    // Longer jumps start from the nearest key frame the index names.
    static constexpr int ForwardDecodeLimit = 10;
    // No frame of a movie this engine shows is larger.
    static constexpr std::uint32_t MaxFrameBytes = 64u << 20;

    struct MainHeader {
        std::uint32_t microSecPerFrame, maxBytesPerSec, paddingGranularity, flags, totalFrames, initialFrames,
            streams, suggestedBufferSize, width, height, reserved[4];
    };
    struct StreamHeader {
        std::uint32_t type, handler, flags;
        std::uint16_t priority, language;
        std::uint32_t initialFrames, scale, rate, start, length, suggestedBufferSize, quality, sampleSize;
        std::int16_t frame[4];
        std::uint32_t spare[2];
    };

    // The decompressors every source uses from now on (none: no video). They
    // must outlive the sources.
    static void SetVideoCodecs(platform::VideoCodecs* codecs);

    mImageAVI();
    ~mImageAVI() override;

    int ReadHeader() override;
    int WriteHeader() override;
    int Draw(int x, int y, const mRect* clip) override;
    int WriteFrame() override;
    int SeekFrame(int n, int origin) override;
    void MatchPalette() override;
    void SetTransparent(bool on) override;
    void SetTransparentColor(std::uint32_t index) override;
    void SetRemap(bool on) override;
    std::int32_t Play(std::uint32_t length, std::uint32_t passes) override;
    std::int32_t SetPosition(std::int32_t item) override;
    std::int32_t Stop() override;

    std::int32_t moviStart = 0;
    std::int32_t indexStart = 0;
    MainHeader mainHeader{};
    std::uint32_t audioPriority = 0;
    std::uint32_t videoPriority = 0;
    std::int32_t audioStream = 0;
    std::int32_t videoStream = 0;
    std::uint32_t audioChunkId = 0;
    std::uint16_t videoStreamNumber = 0;
    std::vector<std::uint8_t> videoFormat;
    std::unique_ptr<platform::VideoDecompressor> decompressor;
    mBitmap frameBitmap;
    std::int32_t frameBufferSize = 0;
    std::vector<std::uint8_t> frameBuffer;
    std::int32_t lastDecoded = -1;
    bool seeking = false;
    bool colourFromFirstPixel = true;

private:
    bool ReadStreamList(std::uint32_t index);
    bool TakeVideoStream(std::uint32_t index, const StreamHeader& header, std::uint32_t formatSize);
    bool OpenDecompressor(std::uint32_t handler);
    void TakeAudioStream(std::uint32_t index, const StreamHeader& header, std::uint32_t formatSize);
    void CloseDecompressor();
    // Reads chunks up to the next frame's, whose contents end up in the
    // frame buffer; false when the movie ends first.
    bool ReadNextFrame();
    bool ReadFrameChunk();
    void QueueSound(std::uint32_t bytes);
    // The sound stored after the last frame: no frame read brings it, so
    // it is queued as play buffers come free.
    void QueueSoundTail();
    bool NextTailChunk();
    void BufferFree() override;
    void ReadPaletteChange(std::uint32_t bytes);
    bool GrowFrameBuffer(std::uint32_t bytes);
    void Decompress(std::uint32_t bytes);
    void PaletteFromDecompressor();
    void DrawInto(int x, int y, const mRect* clip);
    // Where decoding towards frame t starts: the frame number, with the
    // file positioned at its chunk.
    int DecodeStart(int t);
    bool KeyFrameBefore(int t, long& offset, int& frame);
    bool IsFrameChunk(std::uint32_t id) const;
    void RestorePalette();

    long moviEnd_ = 0;
    std::uint32_t indexBytes_ = 0;
    bool paletteChanges_ = false;
    std::uint32_t frameBytes_ = 0; // of the frame now in the frame buffer
    std::vector<std::uint8_t> trueColourTable_;
    // Where the sound after the last frame goes on (0: none left), and the
    // bytes of its current chunk not yet queued.
    long tailAt_ = 0;
    std::uint32_t tailLeft_ = 0;
    bool queueingTail_ = false;
};
