#include "game/BoardLayout.h"

BoardLayout BoardLayout::Compute(int clientWidth, int clientHeight, int rows, int columns)
{
    BoardLayout l;
    l.rows = rows;
    l.columns = columns;
    if (rows <= 0 || columns <= 0 || clientWidth < 0 || clientHeight < 0) return l;
    l.tileWidth = clientWidth / columns;
    l.left = (clientWidth % columns) / 2;
    // The height gains a pixel before dividing, as the board always has.
    l.tileHeight = (clientHeight + 1) / rows;
    l.top = ((clientHeight + 1) % rows) / 2;
    return l;
}

TileRect BoardLayout::RectOf(int tile) const
{
    TileRect r;
    if (columns <= 0) return r;
    r.x = (tile % columns) * tileWidth + left;
    r.y = (tile / columns) * tileHeight + top;
    r.width = tileWidth;
    r.height = tileHeight;
    return r;
}

int BoardLayout::TileAt(int x, int y) const
{
    if (Empty() || x < left || y < top) return -1;
    const int column = (x - left) / tileWidth;
    const int row = (y - top) / tileHeight;
    if (column >= columns || row >= rows) return -1;
    return row * columns + column;
}
