#include "engine/core/mDirector.h"
#include "doubles/FakeClock.h"
#include "platform/RgbSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A window that remembers what was shown where.
class RecordingSurface : public platform::RgbSurface {
public:
    RecordingSurface(int w, int h, int staticColours = 0) : RgbSurface(w, h), static_(staticColours) {}
    void Present(const Pixels& pixels, int l, int t, int w, int h, int sx, int sy) override
    {
        presented.push_back({l, t, l + w, t + h});
        RgbSurface::Present(pixels, l, t, w, h, sx, sy);
    }
    int StaticColours() const override { return static_; }
    std::vector<mRect> presented;

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
    void Step(std::uint32_t lateness) override { steps.push_back(lateness); }
    void Hit(mElement* other) override { hits.push_back(other); }
    void PaletteChanged() override { ++paletteChanges; }

    std::vector<std::uint32_t> steps;
    std::vector<mElement*> hits;
    int paletteChanges = 0;

private:
    std::string name_;
    std::vector<std::string>& log_;
    int index_;
};

struct Stage : ::testing::Test {
    FakeClock clock;
    RecordingSurface window{64, 48};
    mDirector director{window, 64, 48, clock, 50};

    void Dirty(std::initializer_list<mRect> rects)
    {
        for (const mRect& r : rects) director.Invalidate(&r, 1);
    }
    std::vector<mRect> List() { return director.DirtyRects(); }
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

TEST_F(Stage, NeighboursWithTheSameSpanMergeIntoOneNode)
{
    director.Tick();
    Dirty({{0, 0, 8, 4}, {0, 4, 8, 10}});
    EXPECT_EQ(List(), (std::vector<mRect>{{0, 0, 8, 10}}));
    Dirty({{8, 0, 16, 10}});
    EXPECT_EQ(List(), (std::vector<mRect>{{0, 0, 16, 10}}));
    // Only a corner in common: two nodes, sorted by top then left.
    Dirty({{16, 10, 20, 12}, {40, 2, 44, 3}});
    EXPECT_EQ(List(), (std::vector<mRect>{{0, 0, 16, 10}, {40, 2, 44, 3}, {16, 10, 20, 12}}));
}

TEST_F(Stage, ContainmentEitherWay)
{
    director.Tick();
    Dirty({{4, 4, 20, 20}});
    const int used = director.DirtyNodesInUse();
    Dirty({{8, 8, 12, 12}});
    EXPECT_EQ(List(), (std::vector<mRect>{{4, 4, 20, 20}}));
    EXPECT_EQ(director.DirtyNodesInUse(), used); // nothing added
    Dirty({{28, 4, 32, 8}, {0, 0, 40, 24}});
    EXPECT_EQ(List(), (std::vector<mRect>{{0, 0, 40, 24}}));
}

TEST_F(Stage, OverlapAddsOnlyTheStripsAroundTheNode)
{
    director.Tick();
    Dirty({{16, 16, 32, 32}});
    Dirty({{8, 8, 40, 40}});
    // A covering rectangle replaces the node instead.
    EXPECT_EQ(List(), (std::vector<mRect>{{8, 8, 40, 40}}));
    director.Tick();
    Dirty({{16, 16, 32, 32}});
    Dirty({{8, 20, 40, 44}});
    // Left and right strips on the node's rows, then the bottom strip.
    EXPECT_EQ(List(), (std::vector<mRect>{{16, 16, 32, 32}, {8, 20, 16, 32}, {32, 20, 40, 32}, {8, 32, 40, 44}}));
    // Strips are widened to whole words; (1..3) becomes (0..4).
    director.Tick();
    Dirty({{1, 1, 3, 2}, {-5, 47, 2, 60}});
    EXPECT_EQ(List(), (std::vector<mRect>{{0, 1, 4, 2}, {0, 47, 4, 48}}));
}

TEST_F(Stage, CapacityOfFiftyTakesFortyNineAdditionsUntilTheFlush)
{
    director.Tick();
    for (int i = 0; i < 60; ++i) Dirty({{(i % 8) * 8, (i / 8) * 6, (i % 8) * 8 + 4, (i / 8) * 6 + 2}});
    EXPECT_EQ(List().size(), 49u);
    EXPECT_EQ(director.DirtyNodesInUse(), 50);
    director.Tick();
    EXPECT_TRUE(List().empty());
    Dirty({{0, 0, 4, 4}});
    EXPECT_EQ(List().size(), 1u);
    // Merging uses up slots as well: the unlinked node keeps its own.
    director.SetDirtyCapacity(3);
    Dirty({{0, 0, 4, 4}, {0, 4, 4, 8}, {20, 20, 24, 24}});
    EXPECT_EQ(List(), (std::vector<mRect>{{0, 0, 4, 8}}));
}

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

TEST_F(Stage, StepGetsItsLatenessAndTheNextDelayIsTheSoonest)
{
    std::vector<std::string> log;
    ProbeElement slow("slow", log, {0, 0, 4, 4}), fast("fast", log, {0, 0, 4, 4});
    clock.ms = 1000;
    slow.delay = 100;
    fast.delay = 40;
    director.AddElement(&slow);
    director.AddElement(&fast);
    clock.ms = 1130;
    EXPECT_EQ(director.Tick(), 40u); // fast was stepped and waits its whole delay again
    EXPECT_EQ(slow.steps, (std::vector<std::uint32_t>{30}));
    EXPECT_EQ(fast.steps, (std::vector<std::uint32_t>{90}));
    clock.ms = 1150;
    EXPECT_EQ(director.Tick(), 20u);
    EXPECT_EQ(slow.steps.size(), 1u);
    // The clock wraps like a tick count.
    director.RemoveElement(&slow);
    fast.lastStep = 0xFFFFFFF0u;
    clock.ms = 0x30;
    director.Tick();
    EXPECT_EQ(fast.steps.back(), 0x40u - 40u);
    director.RemoveElement(&fast);
    clock.ms = 5000;
    EXPECT_EQ(director.Tick(), 0u); // only the background, which has no timer
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
    RecordingSurface palettized(16, 16, 20);
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

TEST_F(Stage, FlushShowsOnlyTheDirtyAreasAndRemovalKeepsThePicture)
{
    std::vector<std::string> log;
    ProbeElement probe("p", log, {10, 10, 20, 20}, 255);
    director.Tick();
    window.presented.clear();
    director.AddElement(&probe);
    EXPECT_TRUE(window.presented.empty()); // composed, not yet shown
    director.Tick();
    EXPECT_EQ(window.presented, (std::vector<mRect>{{8, 10, 20, 20}}));
    EXPECT_EQ(window.At(12, 12), 0xFFFFFFFFu);
    EXPECT_EQ(window.At(9, 12), 0xFF000000u);
    director.RemoveElement(&probe);
    director.Tick();
    EXPECT_EQ(window.At(12, 12), 0xFF000000u);

    // The only element going leaves the stage as it was.
    director.RemoveElement(director.background.get());
    EXPECT_EQ(director.Head(), nullptr);
    window.presented.clear();
    director.Tick();
    EXPECT_TRUE(window.presented.empty());
}
