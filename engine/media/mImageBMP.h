#pragma once

#include "engine/sprites/mRenderer.h"

#include <array>
#include <cstdint>
#include <vector>

// One Windows bitmap (uncompressed, 1 to 24 bits, bottom-up or top-down;
// run-length coded, 4 or 8 bits, bottom-up). It keeps no picture of its
// own: every Draw reads the visible rows from the file into the target,
// through the line conversion when the depths differ.
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
    // Rows r0 … r1 - 1 and columns c0 … c1 - 1 of a run-length coded
    // picture into the target at (x, y).
    void DrawRunLength(int x, int y, int r0, int r1, int c0, int c1);
    // A row of pixels of the file's depth into the target's row; the row
    // starts at picture column `from`, a whole byte.
    void PutRow(const std::uint8_t* pixels, int from, int c0, int c1, std::uint8_t* to);

    std::array<std::uint32_t, 256> colourTable_{};
    long pixelStart_ = 0;
    std::int64_t rowBytes_ = 0;
    bool topDown_ = false;
    std::uint32_t compression_ = 0;
    std::uint32_t codedBytes_ = 0; // of a run-length coded picture
    std::vector<std::uint8_t> row_, converted_, coded_;
};
