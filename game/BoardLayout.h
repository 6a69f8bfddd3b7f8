#pragma once

struct TileRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where the tiles lie in a client area: equal tiles that touch each other,
// with the remainder of each division split into margins on both sides.
struct BoardLayout {
    int left = 0;
    int top = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int rows = 0;
    int columns = 0;

    static BoardLayout Compute(int clientWidth, int clientHeight, int rows, int columns);

    // A client smaller than the grid has no tiles to paint or click.
    bool Empty() const { return tileWidth <= 0 || tileHeight <= 0; }
    TileRect RectOf(int tile) const;
    // The tile under a client point, or -1 for a margin or outside the grid.
    int TileAt(int x, int y) const;
};
