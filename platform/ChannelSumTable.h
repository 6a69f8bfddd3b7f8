#pragma once

#include <array>
#include <cstdint>

namespace platform {

// A true-colour conversion table (4 096 entries, four bits a component,
// red * 256 + green * 16 + blue) that, away from the greys, is the sum of
// one entry for each component, as the table of a colour cube is, and near
// grey, where the palette's own greys may be nearer, either that sum or the
// one grey of its r + g + b. Rows are then brought to 8 bits 32 pixels at a
// time with lookups of 16 entries in registers. Every index is the table's own.
class ChannelSumTable {
public:
    // Takes a table apart, unless it is the one taken last. False when it is
    // not such a table, or the processor has no instructions for doing many
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
        return std::uint8_t(parts_.red[std::size_t(key >> 8)] + parts_.green[std::size_t(key >> 4 & 15)] +
                            parts_.blue[std::size_t(key & 15)]);
    }

    // What the table was taken apart into.
    struct Parts {
        std::array<std::uint8_t, 16> red{}, green{}, blue{};
        // Keys whose components differ by at most this are near grey; −1 when none need it.
        int greySpread = -1;
        // Near grey, each entry is the sum or the one grey of its r + g + b:
        // for each pattern of differences (red, green, blue above the least,
        // 16 * 4 * 4), a bit for each least component, eight patterns to a
        // row of 16 bytes; and each sum's grey.
        std::array<std::uint8_t, 128> greyBits{};
        std::array<std::uint8_t, 48> greyOfSum{};
    };

private:
    bool ModelGreys();

    std::array<std::uint8_t, 4096> table_{};
    Parts parts_;
    bool taken_ = false, usable_ = false;
};

} // namespace platform
