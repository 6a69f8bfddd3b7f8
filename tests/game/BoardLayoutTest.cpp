#include "game/BoardLayout.h"

#include <gtest/gtest.h>

TEST(BoardLayout, SplitsTheRemainderIntoMarginsOnBothSides)
{
    const BoardLayout l = BoardLayout::Compute(1923, 1080, 6, 6);
    EXPECT_EQ(l.tileWidth, 320);
    EXPECT_EQ(l.left, 1);
    EXPECT_EQ(l.tileHeight, 180);
    EXPECT_EQ(l.top, 0);

    const BoardLayout odd = BoardLayout::Compute(1001, 803, 8, 9);
    EXPECT_EQ(odd.tileWidth, 111);
    EXPECT_EQ(odd.left, 1);
    EXPECT_EQ(odd.tileHeight, 100); // (803 + 1) div 8
    EXPECT_EQ(odd.top, 2);          // (804 mod 8) div 2

    const TileRect r = odd.RectOf(10);
    EXPECT_EQ(r.x, 111 + 1);
    EXPECT_EQ(r.y, 100 + 2);
    EXPECT_EQ(r.width, 111);
    EXPECT_EQ(r.height, 100);
}

TEST(BoardLayout, FindsTheTileUnderAPointAndNothingInTheMargins)
{
    const BoardLayout l = BoardLayout::Compute(1001, 803, 8, 9);
    EXPECT_EQ(l.TileAt(1, 2), 0);
    EXPECT_EQ(l.TileAt(0, 50), -1) << "left margin";
    EXPECT_EQ(l.TileAt(50, 1), -1) << "top margin";
    EXPECT_EQ(l.TileAt(1 + 9 * 111 - 1, 2 + 8 * 100 - 1), 71);
    EXPECT_EQ(l.TileAt(1 + 9 * 111, 50), -1) << "beyond the last column";
    EXPECT_EQ(l.TileAt(50, 2 + 8 * 100), -1) << "beyond the last row";
    EXPECT_EQ(l.TileAt(-5, -5), -1);
    EXPECT_EQ(l.TileAt(112, 102), 10);
    EXPECT_EQ(l.TileAt(111, 102), 9) << "the last pixel of a tile is still that tile";
}

TEST(BoardLayout, AClientSmallerThanTheGridHasNoTiles)
{
    EXPECT_TRUE(BoardLayout::Compute(5, 600, 6, 6).Empty());
    EXPECT_TRUE(BoardLayout::Compute(600, 4, 6, 6).Empty());
    EXPECT_FALSE(BoardLayout::Compute(6, 5, 6, 6).Empty()) << "(5 + 1) div 6 is one pixel";
    EXPECT_EQ(BoardLayout::Compute(5, 600, 6, 6).TileAt(0, 0), -1);
    EXPECT_TRUE(BoardLayout().Empty());
    EXPECT_EQ(BoardLayout().TileAt(0, 0), -1);
}
