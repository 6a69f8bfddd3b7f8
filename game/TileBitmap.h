#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {
class MessageBoxes;
class PathMap;
} // namespace platform

// One picture of the game as read from a BMP file: the information header's
// fields, the colour table and the pixel rows, bottom-up as stored.
struct TileBitmap {
    static constexpr int HeaderSize = 40;

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    std::vector<std::uint32_t> colors; // blue, green, red, 0 per entry
    std::vector<std::uint8_t> bits;
    // Which file, as it was, the picture was read from (0 for pictures made
    // otherwise): loads of the same unchanged file have equal identities, so
    // a stretched copy of one serves for the other.
    std::uint64_t identity = 0;

    // False until a load succeeded; an invalid picture is never drawn.
    bool Valid() const { return width > 0 && height > 0 && !bits.empty(); }
    std::uint32_t RowBytes() const { return RowBytesFor(bitCount, width); }
    // Where the pixel bits would lie in a packed block: header plus table.
    std::uint32_t BitsOffset() const { return HeaderSize + 4 * clrUsed; }

    static std::uint32_t RowBytesFor(std::uint32_t bitCount, std::uint32_t width)
    {
        return (bitCount * width + 31) / 32 * 4;
    }
};

// Reads a 1-, 4-, 8- or 24-bit uncompressed or a run-length coded 4- or
// 8-bit BMP file named the game's way; coded pixels are decoded to rows.
// Only a file that cannot be opened is reported ("Can't open file '%s'");
// any other fault just fails. On failure the picture keeps what it held.
bool LoadDib(const std::string& name, TileBitmap& picture, platform::MessageBoxes& boxes,
             const platform::PathMap& paths);
// The same from an open file, without any message.
bool ReadDib(std::FILE* file, TileBitmap& picture);
