#pragma once

#include "platform/ChannelSumTable.h"
#include "platform/VideoCodecs.h"

#include <array>
#include <cstdint>
#include <vector>

struct AVCodec;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace platform {

// A video decompressor on libavcodec. The decoder comes from the handler
// code or, for uncompressed streams and unknown handlers, from the format's
// compression code, both looked up in libavformat's RIFF tables. Indexed
// output keeps the stream's colours (from the format, then from palette
// changes and the decoder); true-colour output goes through the caller's
// table into a fixed palette of a colour cube and greys.
class AvVideoDecompressor : public VideoDecompressor {
public:
    // Frames larger than this in either direction are refused.
    static constexpr int MaxSide = 8192;

    explicit AvVideoDecompressor(std::uint32_t handler);
    ~AvVideoDecompressor() override;
    AvVideoDecompressor(const AvVideoDecompressor&) = delete;
    AvVideoDecompressor& operator=(const AvVideoDecompressor&) = delete;

    bool Begin(const std::uint8_t* format, std::size_t bytes) override;
    bool IndexedOutput() const override { return indexed_; }
    void GetPalette(std::uint32_t* colours) const override;
    void ChangePalette(int first, int count, const std::uint8_t* entries) override;
    bool Decompress(const std::uint8_t* data, std::size_t bytes, const IndexedPicture& picture,
                    bool& paletteChanged) override;
    void End() override;

    // The decoder for a four-character code, or none.
    static const AVCodec* DecoderFor(std::uint32_t code);
    // The palette true-colour frames are brought to.
    static const std::array<std::uint32_t, 256>& TrueColourPalette();

private:
    bool OpenDecoder(const AVCodec* codec, const std::uint8_t* format, std::size_t bytes);
    void TakeColours(const std::uint8_t* format, std::size_t bytes);
    bool Send(const std::uint8_t* data, std::size_t bytes);
    void CopyIndexed(const IndexedPicture& picture, bool& paletteChanged);
    // Uncompressed 8-bit frames, copied from the chunk straight into the
    // picture: through the decoder they would be copied twice more.
    bool CopyRaw(const std::uint8_t* data, std::size_t bytes, const IndexedPicture& picture, bool& paletteChanged);
    void CopyTrueColour(const IndexedPicture& picture);
    void CopyThroughTable(const IndexedPicture& picture, int w, int h);
    const std::uint8_t* WordTable(const std::uint8_t* table, int pixelFormat);
    // The decoded frame as rows of blue, green, red; none when it cannot be.
    const std::uint8_t* ToBgr();

    std::uint32_t handler_;
    AVCodecContext* context_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVFrame* received_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    bool indexed_ = false;
    // Uncompressed 8-bit frames: bytes a stored row, 0 for any other kind.
    int rawRowBytes_ = 0;
    int rawWidth_ = 0, rawHeight_ = 0;
    bool rawBottomUp_ = false;
    bool paletteToSend_ = false;
    // Alpha, red, green, blue as libavcodec keeps them: the colours the
    // decoder is given, and those of the last frame it gave back.
    std::array<std::uint32_t, 256> palette_{};
    std::array<std::uint32_t, 256> shown_{};
    std::vector<std::uint8_t> bgr_; // the converted frame when a scaler is needed
    // The table as sums of components, for the pixels that can use it.
    ChannelSumTable sums_;
    std::vector<std::uint8_t> words_;
    std::array<std::uint8_t, 4096> wordsFrom_{};
    int wordsFormat_ = -1;
};

} // namespace platform
