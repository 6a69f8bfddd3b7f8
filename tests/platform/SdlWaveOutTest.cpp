// Wave players heard through SDL's disk audio driver, which writes what
// would be heard to a file in real time.
#include "platform/SdlWaveOut.h"

#include "platform/SdlSoundPlayer.h"

#include "engine/media/mAudioWAV.h"
#include "../engine/WavBuilder.h"
#include "TempFolder.h"
#include "doubles/ManualUiQueue.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <vector>

namespace {

using Frame = std::pair<std::int16_t, std::int16_t>;

std::string StereoWav(const std::vector<Frame>& frames)
{
    std::string data;
    for (const auto& [l, r] : frames) WavBuilder::Put16(data, std::uint16_t(l)), WavBuilder::Put16(data, std::uint16_t(r));
    WavBuilder cd;
    cd.channels = 2, cd.bits = 16, cd.blockAlign = 4, cd.rate = 44100;
    return cd.File(data);
}

class SdlWaveOutTest : public ::testing::Test {
public:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (folder / "out.raw").c_str(), 1);
    }
    // Serves the player's notices for a while, or until done says so.
    void Serve(int ms, const std::function<bool()>& done = nullptr)
    {
        const Uint32 end = SDL_GetTicks() + Uint32(ms);
        while (SDL_GetTicks() < end && !(done && done())) {
            queue.RunAll();
            SDL_Delay(2);
        }
    }
    std::vector<Frame> Heard() const
    {
        const std::string raw = folder.Read("out.raw");
        std::vector<Frame> frames;
        const auto at = [&](std::size_t i) { return std::int16_t(std::uint8_t(raw[i]) | std::uint8_t(raw[i + 1]) << 8); };
        for (std::size_t i = 0; i + 4 <= raw.size(); i += 4) frames.emplace_back(at(i), at(i + 2));
        return frames;
    }

    TempFolder folder;
    ManualUiQueue queue;
};

TEST_F(SdlWaveOutTest, ASoundPausedResumedAndPlayedThreeTimesComesOutAsItsSamples)
{
    std::vector<Frame> frames;
    for (int i = 0; i < 11025; ++i) frames.emplace_back(std::int16_t(1000 + i % 700), std::int16_t(-1000 - i % 300));
    const std::string path = folder.Write("sound.wav", StereoWav(frames));
    {
        platform::SdlWaveOut out(queue);
        ASSERT_EQ(1u, out.DeviceCount());
        mAudioWAV::SetWaveOut(&out);
        mAudioWAV player;
        player.OpenFile(path.c_str());
        ASSERT_EQ(1, player.Play(0, 3));
        Serve(300);
        ASSERT_EQ(1, player.Pause());
        Serve(250);
        ASSERT_EQ(1, player.Play(0, 1));
        Serve(5000, [&] { return !player.streamInfo->playing; });
        EXPECT_EQ(0u, player.streamInfo->playing);
        Serve(100);
        mAudioWAV::SetWaveOut(nullptr);
    }
    std::vector<Frame> sounding, expected;
    std::size_t first = 0, last = 0, silentBetween = 0;
    const std::vector<Frame> heard = Heard();
    for (std::size_t i = 0; i < heard.size(); ++i) {
        if (heard[i] == Frame{0, 0}) continue;
        if (sounding.empty()) first = i;
        last = i;
        sounding.push_back(heard[i]);
    }
    for (std::size_t i = first; i < last; ++i) silentBetween += heard[i] == Frame{0, 0};
    for (int pass = 0; pass < 3; ++pass) expected.insert(expected.end(), frames.begin(), frames.end());
    EXPECT_TRUE(sounding == expected) << sounding.size() << " frames heard, " << expected.size() << " played";
    EXPECT_GT(silentBetween, 44100u / 10) << "the pause is heard as silence";
}

} // namespace
