#pragma once

#include <array>
#include <cstdint>

namespace platform {

// A true-colour conversion table (4 096 entries, four bits a component,
// red * 256 + green * 16 + blue) that, away from the greys, is the sum of
// one entry for each component, as the table of a colour cube is. Rows are
// then brought to 8 bits many pixels at a time with three lookups in
// registers; pixels near grey, where the palette's own greys may be nearer,
// are looked up in the table itself. Every index is the table's own.
class ChannelSumTable {
public:
    // Takes a table apart, unless it is the one taken last. False when it is
    // not such a sum, or the processor has no instructions for doing many
    // pixels at once: then rows must go through the table another way.
    bool Use(const std::uint8_t* table);

    // One row of 16-bit pixels (little-endian), five bits of red at bit 10
    // or, when green has six bits, at bit 11.
    void ConvertWords(const std::uint8_t* in, std::uint8_t* to, int width, bool green6) const;
    // One row of 3-byte pixels, red first or blue first.
    void ConvertTriples(const std::uint8_t* in, std::uint8_t* to, int width, bool redFirst) const;

    // The sum for the components of a key of the table.
    std::uint8_t SumOf(int key) const
    {
        return std::uint8_t(red_[std::size_t(key >> 8)] + green_[std::size_t(key >> 4 & 15)] + blue_[std::size_t(key & 15)]);
    }
    // Keys whose components differ by at most this are looked up; −1 when none need it.
    int GreySpread() const { return greySpread_; }

private:
    std::array<std::uint8_t, 4096> table_{};
    std::array<std::uint8_t, 16> red_{}, green_{}, blue_{};
    int greySpread_ = -1;
    bool taken_ = false, usable_ = false;
};

} // namespace platform
