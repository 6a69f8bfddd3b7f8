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

// Whatever the clock seeds, the entries come in cycles of N, each playing
// every entry once, and no entry is heard twice in a row, also across a
// cycle's end or a change of N (the content edited between games).
TEST_F(GameSoundsTest, EntriesComeInCyclesThatNeverRepeatTheLastOne)
{
    for (int i = 1; i <= 5; ++i) profile.Set("Yupsounds", "YUP0" + std::to_string(i), "y" + std::to_string(i) + ".wav");
    int previous = 0;
    for (const int count : {3, 2, 5, 1, 3}) {
        SCOPED_TRACE("N = " + std::to_string(count));
        for (int cycle = 0; cycle < 6; ++cycle) {
            std::set<int> heard;
            for (int k = 0; k < count; ++k) {
                clock.seconds = std::uint32_t(7 * cycle + k) / 2; // the same second now and then
                player.calls.clear();
                sounds.PlayMatchSound(true, count);
                ASSERT_EQ(1u, player.calls.size());
                const int entry = player.calls[0].path[1] - '0';
                EXPECT_TRUE(heard.insert(entry).second) << "entry " << entry << " twice in one cycle";
                if (count > 1) {
                    EXPECT_NE(previous, entry) << "cycle " << cycle;
                }
                previous = entry;
            }
            EXPECT_EQ(count, int(heard.size()));
            EXPECT_EQ(count, *heard.rbegin());
        }
    }
    // Before the first play no entry is the last one: any can come first.
    std::set<int> firsts;
    for (std::uint32_t second = 0; second < 10; ++second) {
        GameSounds fresh(player, paths, content, rand, clock);
        clock.seconds = second;
        player.calls.clear();
        fresh.PlayMatchSound(true, 2);
        firsts.insert(player.calls.at(0).path[1] - '0');
    }
    EXPECT_EQ((std::set<int>{1, 2}), firsts);
}

} // namespace
