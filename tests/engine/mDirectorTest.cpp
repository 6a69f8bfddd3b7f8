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
