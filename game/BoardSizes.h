#pragma once

#include <vector>

// A board the grid settings allow: its grid, its match number and the
// distinct pictures it deals.
struct BoardSize {
    int rows, columns, match;
    int Pictures() const { return rows * columns / match; }
};

// Every board the grid settings allow, and how many pictures they need: a
// pack with fewer pictures than a board needs leaves some of its tiles
// without a picture.
class BoardSizes {
public:
    // In order of match number, rows, then columns.
    static std::vector<BoardSize> All();
    // The first board that needs the fewest pictures, and the most.
    static BoardSize Smallest();
    static BoardSize Largest();
};
