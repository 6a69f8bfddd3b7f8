#include "game/GameSounds.h"

#include "doubles/FakeClock.h"
#include "doubles/MemoryProfile.h"
#include "doubles/RecordingSoundPlayer.h"
#include "doubles/TablePathMap.h"
#include "game/ContentFile.h"
#include "platform/CrtRand.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class GameSoundsTest : public ::testing::Test {
protected:
    GameSoundsTest() : content(profile), sounds(player, paths, content, rand, clock) {}

    MemoryProfile profile;
    ContentFile content;
    RecordingSoundPlayer player;
    TablePathMap paths;
    platform::CrtRand rand;
    FakeClock clock;
    GameSounds sounds;
};

TEST_F(GameSoundsTest, MissPausesWithAndWithoutSound)
{
    profile.Set("Nopesounds", "NOPE01", "sounds\\nope1.wav");
    std::uint32_t pausedAtPlay = 1;
    player.onPlay = [&](const std::string&, bool) { pausedAtPlay = clock.slept; };
    sounds.PlayMissSound(true, 1);
    ASSERT_EQ(1u, player.calls.size());
    EXPECT_EQ("sounds/nope1.wav", player.calls[0].path);
    EXPECT_FALSE(player.calls[0].wait);
    EXPECT_EQ(0u, pausedAtPlay) << "the sound starts before the pause";
    EXPECT_EQ(GameSounds::MissPauseMs, clock.slept);

    sounds.PlayMissSound(false, 1);
    EXPECT_EQ(1u, player.calls.size());
    EXPECT_EQ(2 * GameSounds::MissPauseMs, clock.slept);
}

} // namespace
