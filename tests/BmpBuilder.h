#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds BMP files byte by byte, so that tests can make both good pictures
// and every kind of damaged one.
struct BmpBuilder {
    std::uint32_t headerSize = 40;
    std::int32_t width = 4;
    std::int32_t height = 2;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;
    std::vector<std::uint32_t> colors; // written as they are
    std::vector<std::uint8_t> pixels;  // stored rows, bottom-up, padded
    std::uint32_t bitsOffset = 0;      // 0: right after the table
    bool zeroOffsetField = false;      // as some writers leave the field
    std::string type = "BM";

    std::uint32_t RowBytes() const { return (std::uint32_t(bitCount) * std::uint32_t(width) + 31) / 32 * 4; }

    // A picture of solid colour: every pixel has index 0 (or the colour itself at 24 bits).
    static BmpBuilder Solid(int w, int h, std::uint16_t bits, std::uint32_t bgr)
    {
        BmpBuilder b;
        b.width = w;
        b.height = h;
        b.bitCount = bits;
        if (bits == 24) {
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x)
                    for (int c = 0; c < 3; ++c) b.pixels.push_back(std::uint8_t(bgr >> (8 * c)));
                b.pixels.resize(std::size_t(y + 1) * b.RowBytes(), 0);
            }
        } else {
            b.colors.assign(std::size_t(1) << bits, 0);
            b.colors[0] = bgr;
            b.pixels.assign(std::size_t(b.RowBytes()) * std::size_t(h), 0);
        }
        return b;
    }

    std::string Bytes() const
    {
        std::string out;
        auto u16 = [&out](std::uint32_t v) { out.push_back(char(v & 0xFF)); out.push_back(char(v >> 8 & 0xFF)); };
        auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
        const std::uint32_t tableEnd = 14 + headerSize + 4 * std::uint32_t(colors.size());
        const std::uint32_t offset = bitsOffset ? bitsOffset : tableEnd;
        out += type.substr(0, 2);
        u32(offset + std::uint32_t(pixels.size()));
        u32(0);
        u32(zeroOffsetField ? 0 : offset);
        u32(headerSize);
        u32(std::uint32_t(width));
        u32(std::uint32_t(height));
        u16(1);
        u16(bitCount);
        u32(compression);
        u32(sizeImage);
        u32(2835);
        u32(2835);
        u32(clrUsed);
        u32(0);
        out.resize(14 + headerSize, '\0');
        for (std::uint32_t c : colors) u32(c);
        if (offset > out.size()) out.resize(offset, '\x5A');
        out.append(pixels.begin(), pixels.end());
        return out;
    }
};
