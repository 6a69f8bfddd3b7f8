#pragma once

#include <string>
#include <vector>

// What a pack of a number of pictures is good for: which boards of the grid
// settings it fills and which it does not.
class PackAdvice {
public:
    // True when the pictures fill at least the smallest board.
    static bool Enough(int pictures);
    // The lines to tell the pack's maker; none when every board is filled.
    static std::vector<std::string> For(int pictures);
};
