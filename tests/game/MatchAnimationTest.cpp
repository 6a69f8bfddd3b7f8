// The match animation's own rules, without a window: where the copies start
// and go, how they turn at the edges, and when the picture is see-through.
#include "game/MatchAnimation.h"

#include "engine/core/mDirector.h"
#include "engine/sprites/mRenderer.h"
#include "engine/sprites/mSpriteImage.h"

#include "FlicEncoder.h"
#include "TempFolder.h"
#include "doubles/FakeClock.h"
#include "doubles/ScriptedRand.h"
#include "doubles/TablePathMap.h"
#include "platform/RgbSurface.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr int ScreenW = 640, ScreenH = 480;

// 40 × 30 frames with the given index in the bottom-left pixel.
std::string Animation(std::uint8_t bottomLeft)
{
    FlicEncoder::Palette palette{};
    palette[3] = 0x00FF00;
    FlicEncoder encoder(40, 30, 50);
    for (int f = 0; f < 2; ++f) {
        std::vector<std::uint8_t> pixels(40 * 30, 0);
        pixels[std::size_t(10 * 40 + 10 + f)] = 3;
        pixels[std::size_t(29 * 40)] = bottomLeft;
        encoder.AddFrame(pixels, palette);
    }
    return encoder.Finish();
}

struct MatchAnimationTest : ::testing::Test {
    TempFolder folder;
    TablePathMap paths;
    FakeClock clock;
    platform::RgbSurface window{ScreenW, ScreenH};

    MatchAnimationTest()
    {
        paths.table["anim\\cat.flc"] = folder.Write("cat.flc", Animation(0));
        paths.table["anim\\box.flc"] = folder.Write("box.flc", Animation(3));
        paths.table["anim\\BBall4.FLC"] = folder.Write("bball4.flc", Animation(3));
    }
};

// 48 draws per copy: ten thrown away before x, ten before y, seven before dx,
// seventeen before dy.
std::deque<int> CopyDraws(int x, int y, int dx, int dy)
{
    std::deque<int> draws;
    for (int value : {x, y}) {
        draws.insert(draws.end(), 10, 9999);
        draws.push_back(value);
    }
    draws.insert(draws.end(), 7, 9999);
    draws.push_back(dx);
    draws.insert(draws.end(), 17, 9999);
    draws.push_back(dy);
    return draws;
}

} // namespace

TEST_F(MatchAnimationTest, CopiesStartWhereAndGoWhereTheDrawsSay)
{
    std::deque<int> script = CopyDraws(16384, 0, 500, 20000);  // no dx, so dy from the half: down
    const std::deque<int> second = CopyDraws(32767, 8000, 799, 798); // left, and dy 0 below 799
    script.insert(script.end(), second.begin(), second.end());
    const std::deque<int> third = CopyDraws(0, 0, 500, 700); // no dx, and a dy draw that alone would be 0
    script.insert(script.end(), third.begin(), third.end());
    ScriptedRand rand(script);
    MatchAnimation animation(window, ScreenW, ScreenH, clock, rand, paths);
    ASSERT_TRUE(animation.Load("anim\\cat.flc", false, ScreenW, ScreenH));
    EXPECT_EQ(rand.draws, 7 * 48);

    const SpriteMotion& main = animation.Record(0);
    EXPECT_EQ(main.sprite->x, ScreenW / 2);
    EXPECT_EQ(main.sprite->y, ScreenH / 2);
    EXPECT_EQ(main.sprite->speed, 1000u);
    EXPECT_EQ(main.dx, 0);
    EXPECT_EQ(main.dy, 0);

    const SpriteMotion& first = animation.Record(1);
    EXPECT_NEAR(first.x, 320.0098, 0.0001) << "a draw of 16384 is just past the middle";
    EXPECT_EQ(first.y, 0);
    EXPECT_EQ(first.dx, 0);
    EXPECT_EQ(first.dy, 1);
    EXPECT_EQ(first.sprite->x, 320); // truncated
    EXPECT_EQ(first.sprite->z, 1);
    const SpriteMotion& two = animation.Record(2);
    EXPECT_EQ(two.x, ScreenW);
    EXPECT_EQ(two.dx, -1);
    EXPECT_EQ(two.dy, 0);
    EXPECT_EQ(animation.Record(3).dy, -1) << "without a horizontal direction it never stands still";
    EXPECT_EQ(animation.Record(7).sprite->z, 7);
    // The copies share one picture.
    EXPECT_EQ(animation.Record(7).sprite->Image(), main.sprite->Image());
    EXPECT_EQ(main.sprite->Image()->useCount, 8);
}

// The main sprite's record starts at 0, 0 without a direction: its first
// pass takes it from the centre to the top-left corner, heading away from
// the top (2 down if its new direction already pointed down).
TEST_F(MatchAnimationTest, TheMainSpriteLeavesTheCentreFromTheTopLeftCorner)
{
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        ScriptedRand rand;
        rand.Seed(seed);
        MatchAnimation animation(window, ScreenW, ScreenH, clock, rand, paths);
        ASSERT_TRUE(animation.Load("anim\\cat.flc", false, ScreenW, ScreenH));
        const SpriteMotion& main = animation.Record(0);
        animation.MoveAll(ScreenW, ScreenH);
        EXPECT_EQ(main.x, 0) << "seed " << seed;
        EXPECT_TRUE(main.y == 0 || (main.y == 2 && main.dy == 1)) << "seed " << seed << ": y " << main.y;
        EXPECT_GE(main.dy, 0) << "seed " << seed;
        EXPECT_EQ(main.sprite->x, 20);
        EXPECT_EQ(main.sprite->y, int(main.y) + 15);
    }
}

TEST_F(MatchAnimationTest, AtAnEdgeACopyNeverKeepsGoingOver)
{
    const double maxX = ScreenW - 40;
    struct Edge {
        double from, dx, to;
    };
    for (const Edge& edge : {Edge{maxX - 1, 1, maxX}, Edge{1, -1, 0}}) {
        std::set<std::pair<double, double>> directions; // drawn anew at the edge, for both axes
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            ScriptedRand rand;
            rand.Seed(seed);
            MatchAnimation animation(window, ScreenW, ScreenH, clock, rand, paths);
            ASSERT_TRUE(animation.Load("anim\\cat.flc", false, ScreenW, ScreenH));
            SpriteMotion& copy = animation.Record(3);
            copy.x = edge.from;
            copy.y = 100;
            copy.dx = edge.dx;
            copy.dy = 0;
            animation.MoveAll(ScreenW, ScreenH);
            EXPECT_EQ(copy.x, edge.to);
            EXPECT_LE(copy.dx * edge.dx, 0) << "seed " << seed << ": turned away from the edge";
            EXPECT_TRUE(copy.dx != 0 || copy.dy != 0) << "seed " << seed;
            EXPECT_EQ(copy.sprite->x, int(edge.to) + 20);
            directions.insert({copy.dx, copy.dy});
        }
        EXPECT_GT(directions.size(), 2u) << "from " << edge.from;
    }
}

TEST_F(MatchAnimationTest, InstalledAnimationsShowOneStillCopyInTheCentre)
{
    ScriptedRand rand;
    MatchAnimation animation(window, ScreenW, ScreenH, clock, rand, paths);
    ASSERT_TRUE(animation.Load("anim\\cat.flc", true, ScreenW, ScreenH));
    EXPECT_EQ(rand.draws, 0);
    for (int k = 1; k < MatchAnimation::Records; ++k) EXPECT_EQ(animation.Record(k).sprite, nullptr);
    for (int i = 0; i < 10; ++i) {
        clock.ms += 50;
        animation.Tick();
    }
    EXPECT_EQ(animation.Record(0).sprite->bounds, (mRect{300, 225, 340, 255}));
    // The picture is on screen: its green pixel at (10, 10) of the frame, or next to it.
    EXPECT_EQ(window.At(310, 235) | window.At(311, 235), 0xFF00FF00u);
}

TEST_F(MatchAnimationTest, ColourZeroInTheBottomLeftCornerMakesItSeeThrough)
{
    ScriptedRand rand;
    struct Case {
        const char* path;
        bool transparent;
    };
    for (const Case& c : {Case{"anim\\cat.flc", true}, Case{"anim\\box.flc", false}, Case{"anim\\BBall4.FLC", true}}) {
        MatchAnimation animation(window, ScreenW, ScreenH, clock, rand, paths);
        ASSERT_TRUE(animation.Load(c.path, true, ScreenW, ScreenH)) << c.path;
        EXPECT_EQ(animation.Transparent(), c.transparent) << c.path;
        EXPECT_EQ(animation.Record(0).sprite->Image()->frameInfo->transparent != 0, c.transparent) << c.path;
    }
    MatchAnimation missing(window, ScreenW, ScreenH, clock, rand, paths);
    EXPECT_FALSE(missing.Load("anim\\no-such-animation.flc", false, ScreenW, ScreenH));
    EXPECT_EQ(missing.Record(0).sprite, nullptr);
}
