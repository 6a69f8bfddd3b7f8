// The example scene as the game's content makes it: its sheet cut by the
// description and moved by the script, on a real stage for a few seconds
// of fake clock, equal to a recomposition of the stage after every tick.
#include "engine/core/mFile.h"
#include "engine/sprites/mImageBitmap.h"
#include "engine/sprites/mSpriteImage.h"

#include "Recomposition.h"
#include "doubles/FakeClock.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ExampleScene, MovesItsFacesAndTheStageAlwaysEqualsARecomposition)
{
    EngineReports boxes;
    FakeClock clock;
    platform::RgbSurface window(640, 480);
    mDirector director(window, 640, 480, clock, 400);
    auto* image = new mImageBitmap;
    mSpriteImage sprite;
    sprite.SetImage(image);
    mFile text;
    ASSERT_TRUE(text.OpenFile(PAIRLET_SCENE_DIR "/scene.txt"));
    sprite.LoadScript(text);
    text.CloseFile();
    ASSERT_EQ(4, image->rendererInfo->frameCount);
    image->SetRemap(false);
    image->SetTransparent(true);
    director.AddElement(&sprite);

    std::set<std::uint32_t> frames;
    std::set<std::int32_t> places;
    for (int tick = 0; tick < 80; ++tick) {
        clock.ms += 50;
        director.Tick();
        frames.insert(sprite.frame);
        places.insert(sprite.x * 1000 + sprite.y);
        ASSERT_EQ(Shown(window), Recomposed(director)) << "after tick " << tick;
    }
    EXPECT_EQ(4u, frames.size());
    EXPECT_GT(places.size(), 8u);
    director.RemoveElement(&sprite);
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
