#pragma once

#include <cstdint>

namespace platform {

// Where an 8-bit engine bitmap is shown: a window's true-colour picture.
// Present converts the pixels of one rectangle through the colour table
// (blue, green, red, 0 entries) and updates just that rectangle.
class Surface {
public:
    struct Pixels {
        const std::uint8_t* topRow; // the picture's top row
        long rowStep;               // bytes from one row to the next one down
        int width;
        int height;
        const std::uint32_t* colours; // 256 entries
    };

    virtual ~Surface() = default;
    virtual void Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                         int sourceY) = 0;
    // Colours a palette display keeps for itself (half at each end of the
    // table); a true-colour window keeps none.
    virtual int StaticColours() const { return 0; }
};

} // namespace platform
