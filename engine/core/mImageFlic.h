#pragma once

#include "engine/sprites/mRenderer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <utility>

// Plays FLI and FLC animations frame by frame into an 8-bit frame bitmap and
// copies each frame into the target. Every count, run and offset from the
// file is checked against the chunk's declared size, the stream and the
// frame, so a damaged file stops cleanly.
class mImageFlic : public mRenderer {
public:
    static constexpr std::uint16_t MagicFli = 0xAF11;
    static constexpr std::uint16_t MagicFlc = 0xAF12;
    static constexpr std::uint16_t MagicFrame = 0xF1FA;
    static constexpr int HeaderSize = 128;
    static constexpr int FrameHeaderSize = 16;
    static constexpr int ChunkHeaderSize = 6;
    enum ChunkType : std::uint16_t {
        COLOR_256 = 4,
        DELTA_FLC = 7,
        COLOR_64 = 11,
        DELTA_FLI = 12,
        BLACK = 13,
        BYTE_RUN = 15,
        FLI_COPY = 16,
        PSTAMP = 18,
    };

    // Frames are read in larger pieces than other streams: a frame of a
    // busy animation often outgrows the default buffer.
    static constexpr int BufferSize = 65536;

    mImageFlic() { SetBufferSizes(BufferSize, DefaultReserveSize); }
    ~mImageFlic() override;

    int ReadHeader() override;
    int WriteHeader() override;
    int Draw(int x, int y, const mRect* clip) override;
    int WriteFrame() override;
    int SeekFrame(int n, int origin) override;
    void MatchPalette() override;
    int SetTarget(mBitmap* bitmap) override;
    void SetTransparent(bool on) override;
    void SetTransparentColor(std::uint32_t index) override;
    void SetRemap(bool on) override;

    // The picture of the last decoded frame; none before the header.
    mBitmap* FrameBitmap() const { return frame_.get(); }
    int LastDecoded() const { return lastDecoded_; }

private:
    class ChunkReader;

    void Close();
    bool DecodeFrame();
    // True with the read position on a frame header: where the last chunk
    // ended, or else further on, where the last frame's recorded size ends.
    bool AtFrameHeader();
    void DecodeChunk(std::uint16_t type, long bodySize);
    void DecodeColours(ChunkReader& in, int shift);
    void DecodeDeltaFlc(ChunkReader& in);
    void DecodeDeltaFli(ChunkReader& in);
    void DecodeBlack();
    void DecodeByteRun(ChunkReader& in);
    void DecodeCopy(ChunkReader& in);
    void TakeTopLeftAsTransparent();
    void WholeFrameChanged();
    // A chunk's warning, once for each kind and frame of the file.
    void WarnOnce(unsigned code, const char* detail);

    std::array<std::uint8_t, HeaderSize> header_{};
    std::unique_ptr<mBitmap> frame_;
    int lastDecoded_ = -1;
    bool quiet_ = false;
    bool frameBlank_ = false;
    bool autoTransparent_ = true;
    long frame1Offset_ = 0;
    long frame2Offset_ = 0;
    // Where a frame header was found damaged and reported; -1: nowhere.
    long badFrameAt_ = -1;
    // The frame being decoded, and the chunk warnings already given.
    long frameAt_ = -1;
    std::set<std::pair<unsigned, long>> warned_;
    // Where the last frame ends by its recorded size; 0: not known.
    long recordedNext_ = 0;
};
