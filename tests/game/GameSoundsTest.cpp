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

TEST(SoundChooserTest, PlaysEveryEntryOncePerCycleAndNeverTwiceInARow)
{
    for (int count : {2, 3, 7}) {
        SCOPED_TRACE(count);
        SoundChooser chooser;
        platform::CrtRand rand;
        FakeClock clock;
        int previous = 0;
        for (int cycle = 0; cycle < 50; ++cycle) {
            std::set<int> seen;
            for (int i = 0; i < count; ++i) {
                // Plays within one second reseed alike: the rule still holds.
                clock.seconds += cycle % 3 == 0 ? 0 : 1;
                const int n = chooser.Choose(count, rand, clock);
                ASSERT_GE(n, 1);
                ASSERT_LE(n, count);
                EXPECT_NE(previous, n);
                EXPECT_TRUE(seen.insert(n).second) << "entry " << n << " twice in a cycle";
                previous = n;
            }
        }
    }
}

TEST(SoundChooserTest, SingleEntryAndChangedCountsAlwaysFindAnEntry)
{
    SoundChooser chooser;
    platform::CrtRand rand;
    FakeClock clock;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(1, chooser.Choose(1, rand, clock));
    // Three of five played, then the content file offers only two: a new
    // cycle starts and the choice still ends.
    for (int i = 0; i < 3; ++i) chooser.Choose(5, rand, clock);
    for (int i = 0; i < 10; ++i) {
        const int n = chooser.Choose(2, rand, clock);
        EXPECT_TRUE(n == 1 || n == 2);
    }
}

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

TEST_F(GameSoundsTest, MissingEntriesFallBackToTheClassicNamesAndMatchHasNoPause)
{
    sounds.PlayMissSound(true, 1);
    sounds.PlayMatchSound(true, 1);
    sounds.PlayMatchSound(false, 1);
    ASSERT_EQ(2u, player.calls.size());
    EXPECT_EQ("FROG.WAV", player.calls[0].path);
    EXPECT_EQ("YAY2.WAV", player.calls[1].path);
    EXPECT_EQ(GameSounds::MissPauseMs, clock.slept);
}

} // namespace
