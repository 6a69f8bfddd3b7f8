#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// An 8-bit picture a decompressor writes its frames into. Rows may run
// down or up in memory: row y starts at topRow + y * rowStep.
struct IndexedPicture {
    std::uint8_t* topRow = nullptr;
    std::ptrdiff_t rowStep = 0;
    int width = 0;
    int height = 0;
    // How a true-colour pixel becomes an index: 4096 entries, entry
    // (red >> 4) * 256 + (green >> 4) * 16 + (blue >> 4). Only needed when
    // the output is not indexed.
    const std::uint8_t* trueColourTable = nullptr;
};

// One open video decompressor. The caller keeps the order: Begin, then
// GetPalette, then Decompress per frame, then End.
class VideoDecompressor {
public:
    virtual ~VideoDecompressor() = default;
    // The stream's format: a 40-byte bitmap header and its colours, as the
    // file stores them. False when the decompressor cannot take it.
    virtual bool Begin(const std::uint8_t* format, std::size_t bytes) = 0;
    // True when frames come out as indexes into GetPalette's colours;
    // false when they come out in true colour and pass through the table.
    virtual bool IndexedOutput() const = 0;
    // The output's 256 colours (blue, green, red, 0).
    virtual void GetPalette(std::uint32_t* colours) const = 0;
    // Colours first … first + count − 1 of an indexed stream change from the
    // next frame on; each entry is red, green, blue, flags.
    virtual void ChangePalette(int first, int count, const std::uint8_t* entries) = 0;
    // Decodes one compressed frame into the picture. False when nothing was
    // written; paletteChanged tells that GetPalette gives other colours now.
    virtual bool Decompress(const std::uint8_t* data, std::size_t bytes, const IndexedPicture& picture,
                            bool& paletteChanged) = 0;
    virtual void End() = 0;
};

// The installed video decompressors.
class VideoCodecs {
public:
    static constexpr std::uint32_t TypeVideo = 'v' | 'i' << 8 | 'd' << 16 | 'c' << 24;
    static constexpr std::uint32_t FastDecompress = 3;

    virtual ~VideoCodecs() = default;
    // A decompressor of the given type for the four-character handler code,
    // or none.
    virtual std::unique_ptr<VideoDecompressor> Open(std::uint32_t type, std::uint32_t handler, std::uint32_t mode) = 0;
};

} // namespace platform
