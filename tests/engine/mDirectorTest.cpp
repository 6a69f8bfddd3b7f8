#include "engine/core/mDirector.h"
#include "doubles/FakeClock.h"
#include "platform/RgbSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window with as many static colours as the test asks for.
class StaticColoursSurface : public platform::RgbSurface {
public:
    StaticColoursSurface(int w, int h, int staticColours = 0) : RgbSurface(w, h), static_(staticColours) {}
    int StaticColours() const override { return static_; }

private:
    int static_;
};

// An element that paints one colour and records what the director asks of it.
class ProbeElement : public mElement {
public:
    ProbeElement(std::string name, std::vector<std::string>& log, mRect area, int index = 1)
        : name_(std::move(name)), log_(log), index_(index)
    {
        bounds = hitRect = area;
    }
    void Paint(const mRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) director->FillRects(index_, &rects[i], 1);
        log_.push_back("paint " + name_);
    }
    void Hit(mElement* other) override { hits.push_back(other); }
    void PaletteChanged() override { ++paletteChanges; }

    std::vector<mElement*> hits;
    int paletteChanges = 0;

private:
    std::string name_;
    std::vector<std::string>& log_;
    int index_;
};

struct Stage : ::testing::Test {
    FakeClock clock;
    StaticColoursSurface window{64, 48};
    mDirector director{window, 64, 48, clock, 50};
};

std::vector<std::string> Order(const mDirector& director)
{
    std::vector<std::string> names;
    mElement* e = director.Head();
    do {
        names.push_back(std::to_string(e->z));
        e = e->next;
    } while (e != director.Head());
    return names;
}

} // namespace

TEST_F(Stage, ElementsOfEqualDepthKeepTheirOrderAndTheLowestLeads)
{
    std::vector<std::string> log;
    ProbeElement a("a", log, {0, 0, 8, 8}), b("b", log, {0, 0, 8, 8}), c("c", log, {0, 0, 8, 8});
    a.z = 5;
    b.z = 5;
    c.z = -1;
    director.AddElement(&a);
    director.AddElement(&b);
    director.AddElement(&c);
    EXPECT_EQ(Order(director), (std::vector<std::string>{"-1", "0", "5", "5"}));
    log.clear();
    director.Invalidate(&a.bounds, 1);
    director.Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"paint c", "paint a", "paint b"}));
    // A new depth moves it to its place, behind later equals.
    a.SetZ(5);
    log.clear();
    director.Invalidate(&a.bounds, 1);
    director.Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"paint c", "paint b", "paint a"}));
    director.RemoveElement(&a);
    director.RemoveElement(&b);
    director.RemoveElement(&c);
    EXPECT_EQ(Order(director), (std::vector<std::string>{"0"}));
}

TEST_F(Stage, CollisionsNeedSharedBitsDepthRangesAndOverlap)
{
    std::vector<std::string> log;
    ProbeElement a("a", log, {0, 0, 10, 10}), b("b", log, {5, 5, 15, 15}), far("far", log, {5, 5, 15, 15});
    a.hitMask = 2;
    b.hitId = 2;
    b.hitMask = 0;
    far.hitId = 2;
    far.hitMask = 0;
    a.SetHitDepth(10);   // 0 ± 5
    b.z = 5;             // 5 - 1 … 5 + 1 touches a's range
    b.SetHitDepth(2);
    far.z = 100;
    far.SetHitDepth(20); // 90 … 110
    director.AddElement(&a);
    director.AddElement(&b);
    director.AddElement(&far);
    director.Tick();
    EXPECT_EQ(a.hits, (std::vector<mElement*>{&b}));
    EXPECT_TRUE(b.hits.empty());
    // Touching edges are no overlap.
    b.hitRect = {10, 0, 20, 10};
    a.hits.clear();
    director.Tick();
    EXPECT_TRUE(a.hits.empty());
    // Reorder keeps the range with the depth.
    a.SetZ(100);
    EXPECT_EQ(a.zLow, 95);
    EXPECT_EQ(a.zHigh, 105);
    a.hitRect = {0, 0, 20, 20};
    director.Tick();
    EXPECT_EQ(a.hits, (std::vector<mElement*>{&far}));
    for (mElement* e : {&a, &b, &far}) director.RemoveElement(e);
}

TEST_F(Stage, PaletteChangesOnlyWhenColoursDo)
{
    std::vector<std::string> log;
    ProbeElement probe("p", log, {0, 0, 4, 4});
    director.AddElement(&probe);
    std::uint32_t grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = std::uint32_t(i * 0x010101);
    director.SetPalette(grey, 0, 256);
    EXPECT_EQ(probe.paletteChanges, 2);
    EXPECT_EQ(director.desc.colours[77], 0x4D4D4Du);
    director.SetPalette(grey, 0, 256);
    director.SetPalette(grey + 10, 10, 5);
    EXPECT_EQ(probe.paletteChanges, 2);
    // Past the table's end nothing happens.
    director.SetPalette(grey, 257, 1);
    EXPECT_EQ(probe.paletteChanges, 2);
    director.RemoveElement(&probe);

    // A palette display with 20 static colours keeps ten at each end.
    StaticColoursSurface palettized(16, 16, 20);
    mDirector onPalette(palettized, 16, 16, clock, 50);
    std::uint32_t red[256];
    for (std::uint32_t& c : red) c = 0xFF0000;
    const std::uint32_t before0 = onPalette.desc.colours[0], before255 = onPalette.desc.colours[255];
    onPalette.SetPalette(red, 0, 256);
    EXPECT_EQ(onPalette.desc.colours[9], before0);
    EXPECT_EQ(onPalette.desc.colours[10], 0xFF0000u);
    EXPECT_EQ(onPalette.desc.colours[245], 0xFF0000u);
    EXPECT_EQ(onPalette.desc.colours[246], before0);
    EXPECT_EQ(onPalette.desc.colours[255], before255);
}

// The dirty list, rectangle by rectangle, against hand-worked lists: what
// merges, what is swallowed, what is split, and where a full list stops.
TEST_F(Stage, DirtyRectanglesMergeSplitAndStopAtTheCapacity)
{
    using Rects = std::vector<mRect>;
    struct Case {
        const char* name;
        int capacity;
        Rects added;
        Rects listed;
        int inUse; // the sentinel, every node taken, unlinked ones too
    };
    const std::vector<Case> cases = {
        {"side by side", 50, {{0, 0, 4, 4}, {4, 0, 8, 4}}, {{0, 0, 8, 4}}, 3},
        {"one above the other", 50, {{0, 0, 8, 4}, {0, 4, 8, 10}}, {{0, 0, 8, 10}}, 3},
        {"apart, sorted by top then left", 50, {{20, 8, 24, 9}, {8, 8, 12, 9}, {0, 20, 4, 30}, {0, 0, 4, 2}},
         {{0, 0, 4, 2}, {8, 8, 12, 9}, {20, 8, 24, 9}, {0, 20, 4, 30}}, 5},
        {"inside one", 50, {{0, 0, 16, 16}, {4, 4, 8, 8}}, {{0, 0, 16, 16}}, 2},
        {"around two", 50, {{4, 4, 8, 8}, {8, 12, 12, 13}, {0, 0, 16, 16}}, {{0, 0, 16, 16}}, 4},
        {"around one, edges shared", 50, {{0, 0, 8, 8}, {0, 0, 16, 12}}, {{0, 0, 16, 12}}, 3},
        {"overlapping: the parts outside", 50, {{0, 0, 8, 8}, {4, 4, 12, 12}},
         {{0, 0, 8, 8}, {8, 4, 12, 8}, {4, 8, 12, 12}}, 4},
        {"widened to whole words", 50, {{1, 0, 2, 1}, {5, 0, 7, 1}}, {{0, 0, 8, 1}}, 3},
        {"clipped to the stage", 50, {{-8, -8, 4, 4}, {60, 40, 99, 99}}, {{0, 0, 4, 4}, {60, 40, 64, 48}}, 3},
        {"a full list drops the rest", 4, {{0, 0, 4, 1}, {0, 2, 4, 3}, {0, 4, 4, 5}, {0, 6, 4, 7}},
         {{0, 0, 4, 1}, {0, 2, 4, 3}, {0, 4, 4, 5}}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        director.Tick(); // an empty list
        director.SetDirtyCapacity(c.capacity);
        for (const mRect& r : c.added) director.Invalidate(&r, 1);
        const Rects listed = director.DirtyRects();
        ASSERT_EQ(c.listed.size(), listed.size());
        for (std::size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(c.listed[i], listed[i]) << i;
        EXPECT_EQ(c.inUse, director.DirtyNodesInUse());
    }
}

// A stage of still elements asks for no tick; a timed one asks for what is
// left of its delay.
TEST_F(Stage, OnlyTimedElementsAskForTheNextTick)
{
    std::vector<std::string> log;
    ProbeElement still("still", log, {0, 0, 8, 8}), timed("timed", log, {8, 0, 16, 8});
    director.AddElement(&still);
    clock.ms += 1000;
    EXPECT_EQ(0u, director.Tick());
    timed.delay = 30;
    timed.lastStep = clock.ms;
    director.AddElement(&timed);
    clock.ms += 10;
    EXPECT_EQ(20u, director.Tick());
    director.RemoveElement(&timed);
    director.RemoveElement(&still);
}
