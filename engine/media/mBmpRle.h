#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The run-length codes of Windows bitmaps: BI_RLE8 (8 bits a pixel) and
// BI_RLE4 (4 bits). Rows come out bottom-up as stored, each packed like an
// uncompressed row of the same bit count; pixels the data skips (end of
// line, delta, end of picture, data that ends early) are 0. Every run,
// absolute run and delta is cut to the picture: damaged data never writes
// outside it.
class mBmpRle {
public:
    enum Compression : std::uint32_t { Rle8 = 1, Rle4 = 2 };

    // The part of the picture wanted: stored rows [firstRow, endRow) and
    // columns [firstColumn, endColumn). For 4 bits firstColumn is taken
    // down to an even column, so that packed pixels stay whole bytes.
    struct Window {
        int firstRow, endRow, firstColumn, endColumn;
        // False when the rows are blank already where they go: rows the
        // data leaves blank are then not handed on.
        bool blankRows = true;
    };
    // A stored row of the window, its first column first.
    using RowSink = std::function<void(int storedRow, const std::uint8_t* pixels)>;

    // The bit count a compression goes with: 8, 4, or 0 for none.
    static int BitCountOf(std::uint32_t compression);

    mBmpRle(int bitCount, int width, int height, Window window);

    // Decodes the data and hands every row of the window to the sink once,
    // in stored order.
    void Decode(const std::uint8_t* data, std::size_t size, const RowSink& sink);

    int FirstColumn() const { return window_.firstColumn; }

private:
    void Run(int count, std::uint8_t value);
    void Absolute(const std::uint8_t* pixels, int count);
    void PutNibble(std::int64_t column, std::uint8_t value);
    // Hands on the current row and the n - 1 blank rows after it.
    void NextRows(std::int64_t n);
    void Emit(int storedRow);

    int bitCount_, width_, height_;
    Window window_;
    const RowSink* sink_ = nullptr;
    std::vector<std::uint8_t> line_;
    bool lineTouched_ = false;
    std::int64_t row_ = 0, x_ = 0;
};
