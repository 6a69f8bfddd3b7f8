#pragma once

#include "engine/sprites/mRenderer.h"

#include <array>
#include <cstdint>
#include <vector>

// One Windows bitmap (uncompressed, 1 to 24 bits, bottom-up or top-down).
// It keeps no picture of its own: every Draw reads the visible rows from the
// file into the target, through the line conversion when the depths differ.
class mImageBMP : public mRenderer {
public:
    static constexpr std::uint32_t TagBmp = 'B' | 'M' << 8 | 'P' << 16;
    static constexpr int FileHeaderSize = 14;

    int ReadHeader() override;
    int WriteHeader() override;
    int Draw(int x, int y, const mRect* clip) override;
    int WriteFrame() override;
    int SeekFrame(int n, int origin) override;
    void MatchPalette() override;
    void SetTransparent(bool on) override;
    void SetTransparentColor(std::uint32_t index) override;
    void SetRemap(bool on) override;

private:
    // The information header's fields; false when they are no picture this
    // source can draw.
    bool ReadInfoHeader(std::uint32_t& colourCount, std::uint32_t& imageSize);
    // Where picture row r (from the top) is stored.
    long RowOffset(int r) const;

    std::array<std::uint32_t, 256> colourTable_{};
    long pixelStart_ = 0;
    std::int64_t rowBytes_ = 0;
    bool topDown_ = false;
    std::vector<std::uint8_t> row_, converted_;
};
