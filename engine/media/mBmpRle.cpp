#include "engine/media/mBmpRle.h"

#include <algorithm>
#include <cstring>

namespace {
// The second byte of a pair whose first is 0.
constexpr std::uint8_t EndOfLine = 0, EndOfPicture = 1, Delta = 2;
} // namespace

int mBmpRle::BitCountOf(std::uint32_t compression)
{
    return compression == Rle8 ? 8 : compression == Rle4 ? 4 : 0;
}

mBmpRle::mBmpRle(int bitCount, int width, int height, Window window)
    : bitCount_(bitCount), width_(std::max(width, 0)), height_(std::max(height, 0)), window_(window)
{
    window_.endColumn = std::min(window_.endColumn, width_);
    window_.firstColumn = std::clamp(window_.firstColumn, 0, window_.endColumn);
    if (bitCount_ == 4) window_.firstColumn &= ~1;
    const int columns = window_.endColumn - window_.firstColumn;
    line_.assign(std::size_t(bitCount_ == 4 ? (columns + 1) / 2 : columns) + 1, 0);
}

void mBmpRle::Decode(const std::uint8_t* data, std::size_t size, const RowSink& sink)
{
    sink_ = &sink;
    row_ = x_ = 0;
    const std::int64_t lastWanted = std::min(height_, window_.endRow);
    std::size_t i = 0;
    while (row_ < lastWanted && size - i >= 2) {
        const std::uint8_t count = data[i], code = data[i + 1];
        i += 2;
        if (count > 0) {
            Run(count, code);
        } else if (code == EndOfLine) {
            x_ = 0;
            NextRows(1);
        } else if (code == EndOfPicture) {
            break;
        } else if (code == Delta) {
            if (size - i < 2) break;
            x_ = std::min<std::int64_t>(x_ + data[i], width_);
            const std::uint8_t down = data[i + 1];
            i += 2;
            if (down > 0) NextRows(down);
        } else {
            // Absolute pixels, padded to a whole 16-bit word.
            const std::size_t bytes = bitCount_ == 8 ? code : (code + 1u) / 2u;
            const std::size_t there = std::min(bytes, size - i);
            Absolute(data + i, int(std::min<std::size_t>(code, there * std::size_t(8 / bitCount_))));
            i += std::min(bytes + (bytes & 1), size - i);
        }
    }
    // What the data did not reach is blank.
    if (row_ < lastWanted) NextRows(height_ - row_);
    sink_ = nullptr;
}

void mBmpRle::Run(int count, std::uint8_t value)
{
    const std::int64_t from = std::max<std::int64_t>(x_, window_.firstColumn);
    const std::int64_t to = std::min<std::int64_t>(x_ + count, window_.endColumn);
    if (bitCount_ == 8 && from < to) {
        std::memset(line_.data() + (from - window_.firstColumn), value, std::size_t(to - from));
        lineTouched_ = true;
    } else if (bitCount_ == 4) {
        // The two pixels of the byte take turns, the high one first.
        for (std::int64_t c = from; c < to; ++c) PutNibble(c, ((c - x_) & 1) ? value & 0x0F : value >> 4);
    }
    x_ = std::min<std::int64_t>(x_ + count, width_);
}

void mBmpRle::Absolute(const std::uint8_t* pixels, int count)
{
    const std::int64_t from = std::max<std::int64_t>(x_, window_.firstColumn);
    const std::int64_t to = std::min<std::int64_t>(x_ + count, window_.endColumn);
    if (bitCount_ == 8 && from < to) {
        std::memcpy(line_.data() + (from - window_.firstColumn), pixels + (from - x_), std::size_t(to - from));
        lineTouched_ = true;
    } else if (bitCount_ == 4) {
        for (std::int64_t c = from; c < to; ++c) {
            const std::int64_t k = c - x_;
            PutNibble(c, (k & 1) ? pixels[k / 2] & 0x0F : pixels[k / 2] >> 4);
        }
    }
    x_ = std::min<std::int64_t>(x_ + count, width_);
}

void mBmpRle::PutNibble(std::int64_t column, std::uint8_t value)
{
    const std::int64_t k = column - window_.firstColumn;
    line_[std::size_t(k / 2)] |= std::uint8_t((k & 1) ? value : value << 4);
    lineTouched_ = true;
}

void mBmpRle::NextRows(std::int64_t n)
{
    if (lineTouched_ || window_.blankRows) Emit(int(row_));
    if (lineTouched_) std::fill(line_.begin(), line_.end(), 0);
    lineTouched_ = false;
    // Blank rows: only those of the window are handed on, if wanted at all.
    const std::int64_t blankFrom = std::max<std::int64_t>(row_ + 1, window_.firstRow);
    const std::int64_t blankTo = std::min<std::int64_t>({row_ + n, window_.endRow, height_});
    for (std::int64_t r = blankFrom; r < blankTo && window_.blankRows; ++r) Emit(int(r));
    row_ += n;
}

void mBmpRle::Emit(int storedRow)
{
    if (storedRow >= window_.firstRow && storedRow < window_.endRow && storedRow < height_)
        (*sink_)(storedRow, line_.data());
}
