// Sprites on a real stage with encoder-made animations: timing, frames,
// visibility, what a move invalidates, and a long scene whose window must
// always equal a full recomposition.
#include "engine/core/mDirector.h"
#include "engine/core/mImageFlic.h"
#include "engine/sprites/mSpriteImage.h"

#include "FlicEncoder.h"
#include "Recomposition.h"
#include "doubles/FakeClock.h"
#include "platform/RgbSurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int StageW = 96, StageH = 64;

FlicEncoder::Palette Colours()
{
    FlicEncoder::Palette p{};
    for (int i = 1; i < 256; ++i) p[std::size_t(i)] = std::uint32_t((i * 37 % 256) << 16 | (i * 91 % 256) << 8 | i);
    return p;
}

// A ring of index 0 around a block whose colour and a small marker change
// from frame to frame, so every frame differs from the last in a small area.
std::string MakeAnimation(int w, int h, int frames, int period)
{
    FlicEncoder encoder(w, h, period);
    for (int f = 0; f < frames; ++f) {
        std::vector<std::uint8_t> pixels(std::size_t(w * h), 0);
        for (int y = 2; y < h - 2; ++y)
            for (int x = 2; x < w - 2; ++x) pixels[std::size_t(y * w + x)] = std::uint8_t(10 + (x + y) % 7);
        pixels[std::size_t(3 * w + 3 + f % (w - 6))] = std::uint8_t(200 + f);
        encoder.AddFrame(pixels, Colours());
    }
    return encoder.Finish();
}

// An animation held by memory that outlives the image.
struct Clip {
    explicit Clip(int w = 12, int h = 10, int frames = 5, int period = 100) : bytes(MakeAnimation(w, h, frames, period)) {}
    mImageFlic* Open()
    {
        auto* image = new mImageFlic();
        image->OpenMemory(bytes.data(), long(bytes.size()));
        image->ReadHeader();
        return image;
    }
    std::string bytes;
};

struct Sprites : ::testing::Test {
    FakeClock clock;
    platform::RgbSurface window{StageW, StageH};
    mDirector director{window, StageW, StageH, clock, 400};
    Clip clip;

    std::unique_ptr<mSpriteImage> Sprite(mImageFlic* image, int x, int y)
    {
        auto sprite = std::make_unique<mSpriteImage>();
        sprite->SetImage(image);
        sprite->MoveTo(x, y, 0);
        return sprite;
    }
    void Advance(std::uint32_t ms)
    {
        clock.ms += ms;
        director.Tick();
    }
};

} // namespace

TEST_F(Sprites, CatchUpSkipsFramesAndShortensTheNextDelay)
{
    auto late = Sprite(clip.Open(), 20, 20), steady = Sprite(clip.Open(), 40, 20);
    late->SetCatchUp(true);
    director.AddElement(late.get());
    director.AddElement(steady.get());
    Advance(350); // 250 ms late on a 100 ms period
    EXPECT_EQ(late->frame, 3u);
    EXPECT_EQ(late->delay, 50u);
    EXPECT_EQ(steady->frame, 1u);
    EXPECT_EQ(steady->delay, 100u);
}

TEST_F(Sprites, LoopingWrapsAndTheLastFrameStopsOtherwise)
{
    mImageFlic* advancing = clip.Open();
    advancing->SetAutoAdvance(true); // a sprite steps its image itself
    auto looping = Sprite(advancing, 20, 20), once = Sprite(clip.Open(), 40, 20);
    once->SetLoop(false);
    director.AddElement(looping.get());
    director.AddElement(once.get());
    for (int i = 0; i < 6; ++i) Advance(100);
    EXPECT_EQ(looping->frame, 1u); // 0 1 2 3 4 0 1
    EXPECT_EQ(looping->Image()->frameInfo->currentFrame, 1);
    EXPECT_EQ(once->frame, 4u);
    EXPECT_EQ(once->Image()->frameInfo->currentFrame, 4);
    Advance(500);
    EXPECT_EQ(once->frame, 4u);
    // Paused it keeps its frame; played again it goes on.
    const std::uint32_t paused = looping->frame;
    looping->Pause();
    Advance(300);
    EXPECT_EQ(looping->frame, paused);
    looping->PlayFrom(0);
    Advance(100);
    EXPECT_EQ(looping->frame, (paused + 1) % 5);
}

TEST_F(Sprites, HidesNestAndShowDoesNotStoreUp)
{
    auto sprite = Sprite(clip.Open(), 20, 20);
    director.AddElement(sprite.get());
    director.Tick();
    sprite->Hide();
    const std::vector<mRect> whereItStands{{20, 20, 32, 30}};
    EXPECT_EQ(director.DirtyRects(), whereItStands);
    sprite->Hide();
    sprite->Show();
    EXPECT_FALSE(sprite->Visible());
    director.Tick();
    sprite->Show();
    EXPECT_TRUE(sprite->Visible());
    EXPECT_EQ(director.DirtyRects(), whereItStands);
    sprite->Show();
    sprite->Hide();
    EXPECT_FALSE(sprite->Visible());
    Advance(1);
    EXPECT_EQ(Shown(window), Recomposed(director));
}

TEST_F(Sprites, AMoveInPlaceInvalidatesOnlyWhatTheFrameChanged)
{
    auto sprite = Sprite(clip.Open(), 40, 30);
    sprite->SetOrigin(6, 5);
    director.AddElement(sprite.get());
    Advance(100); // frame 1: only the marker moved, at (3..5, 3) of the frame
    director.Tick();
    sprite->MoveBy(0, 0, 0);
    const mRect& changed = sprite->Image()->frameInfo->changed;
    EXPECT_EQ(changed, (mRect{2, 3, 6, 4}));
    // The frame stands at (34, 25): its change at 36 … 40 is whole words already.
    EXPECT_EQ(director.DirtyRects(), (std::vector<mRect>{{36, 28, 40, 29}}));
    // A real move repaints where it was and where it is.
    director.Tick();
    sprite->MoveBy(8, 0, 0);
    EXPECT_EQ(director.DirtyRects(), (std::vector<mRect>{{32, 25, 56, 35}}));
    // A z of 0 keeps the depth.
    sprite->MoveTo(10, 10, 7);
    sprite->MoveTo(10, 10, 0);
    EXPECT_EQ(sprite->z, 7);
}

// An animation shown with its own colours gives the stage each frame's new
// colours as the sprite steps to it.
TEST_F(Sprites, AnAnimationWithItsOwnColoursRecoloursTheStage)
{
    FlicEncoder encoder(8, 8, 100);
    FlicEncoder::Palette colours = Colours();
    encoder.AddFrame(std::vector<std::uint8_t>(64, 37), colours);
    colours[37] = 0x123456;
    encoder.AddFrame(std::vector<std::uint8_t>(64, 37), colours);
    Clip recoloured;
    recoloured.bytes = encoder.Finish();
    mImageFlic* image = recoloured.Open();
    image->SetRemap(false);
    auto sprite = Sprite(image, 20, 20);
    director.AddElement(sprite.get());
    EXPECT_EQ(director.desc.colours[37], Colours()[37]);
    Advance(100);
    EXPECT_EQ(director.desc.colours[37], 0x123456u);
    EXPECT_EQ(window.At(20, 20), 0xFF123456u);
}

TEST_F(Sprites, APlainSpriteMovedRepaintsWhereItWasAndWhereItIs)
{
    mSprite plain;
    plain.bounds = {4, 4, 12, 10};
    director.AddElement(&plain);
    director.Tick();
    plain.MoveBy(20, 0, 0);
    EXPECT_EQ(director.DirtyRects(), (std::vector<mRect>{{4, 4, 12, 10}, {24, 4, 32, 10}}));
    director.RemoveElement(&plain);
}

TEST_F(Sprites, ASharedImageKeepsItsTargetWhenOneHolderLeaves)
{
    mImageFlic* image = clip.Open();
    auto a = Sprite(image, 20, 20), b = Sprite(image, 50, 20);
    director.AddElement(a.get());
    director.AddElement(b.get());
    EXPECT_EQ(image->useCount, 2);
    director.RemoveElement(a.get());
    EXPECT_EQ(image->target, &director);
    a.reset();
    EXPECT_EQ(image->useCount, 1);
    director.RemoveElement(b.get());
    EXPECT_EQ(image->target, nullptr);
}

// Its only holder handing a sprite the image it already shows keeps it.
TEST_F(Sprites, GivenTheImageItHoldsASpriteKeepsIt)
{
    struct Counted : mImageFlic {
        explicit Counted(int& alive) : alive_(alive) { ++alive_; }
        ~Counted() override { --alive_; }
        int& alive_;
    };
    int alive = 0;
    auto* image = new Counted(alive);
    image->OpenMemory(clip.bytes.data(), long(clip.bytes.size()));
    {
        mSpriteImage sprite;
        sprite.SetImage(image);
        sprite.SetImage(image);
        EXPECT_EQ(1, alive);
        EXPECT_EQ(1, image->useCount);
        EXPECT_EQ(12, image->frameInfo->width);
        image->CloseFile();
    }
    EXPECT_EQ(0, alive) << "and lets it go with itself";
}

TEST_F(Sprites, TheWindowAlwaysEqualsAFullRecomposition)
{
    Clip big(20, 16, 7, 60), small(9, 9, 4, 130);
    mImageFlic* shared = big.Open();
    std::vector<std::unique_ptr<mSpriteImage>> sprites;
    for (int i = 0; i < 6; ++i) {
        sprites.push_back(Sprite(i % 3 == 2 ? small.Open() : shared, 10 + i * 13, 8 + i * 7));
        sprites.back()->SetOrigin(i, i / 2);
        if (i == 1) sprites.back()->SetSpeed(250);
        if (i == 3) sprites.back()->SetCatchUp(true);
        sprites.back()->Image()->SetTransparent(i % 2 == 0);
        director.AddElement(sprites.back().get());
    }
    std::uint32_t seed = 7;
    auto next = [&seed](int n) {
        seed = seed * 214013u + 2531011u;
        return int(seed >> 16 & 0x7FFF) % n;
    };
    for (int tick = 0; tick < 300; ++tick) {
        for (auto& s : sprites) {
            switch (next(8)) {
            case 0: s->Hide(); break;
            case 1: s->Show(); break;
            case 2: s->MoveTo(s->x, s->y, 1 + next(5)); break;
            default: s->MoveBy(next(9) - 4, next(7) - 3, 0);
            }
            if (s->x < -20 || s->x > StageW + 20 || s->y < -20 || s->y > StageH + 20) s->MoveTo(StageW / 2, StageH / 2, 0);
        }
        Advance(std::uint32_t(20 + next(60)));
        ASSERT_EQ(Shown(window), Recomposed(director)) << "after tick " << tick;
    }
    for (auto& s : sprites) director.RemoveElement(s.get());
    director.Tick();
    EXPECT_EQ(Shown(window), Recomposed(director));
}
