#pragma once

enum TileState : int { FaceDown = 0, FaceUp = 1, Matched = 2 };

// One board cell. picture selects the content file's TILE entry of that
// number; quarter is the part of it shown when pictures are split, else 0.
struct Tile {
    TileState state = FaceDown;
    int picture = 1;
    int quarter = 0;
};
