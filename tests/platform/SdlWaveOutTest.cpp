// Wave players and the game's sound player heard through SDL's disk audio
// driver, which writes what would be heard to a file in real time.
#include "platform/SdlWaveOut.h"

#include "platform/SdlSoundPlayer.h"

#include "engine/media/mAudioWAV.h"
#include "../engine/WavBuilder.h"
#include "TempFolder.h"
#include "doubles/ManualUiQueue.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
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

// A sound at one level on both channels: known in the output by its level.
std::string ConstantWav(std::int16_t level, double seconds)
{
    return StereoWav(std::vector<Frame>(std::size_t(seconds * 44100), {level, level}));
}

struct LevelHeard {
    int frames = 0; // frames at the level
    int first = -1; // index of the first and last of them
    int last = -1;
};

LevelHeard Find(const std::vector<Frame>& out, std::int16_t level)
{
    LevelHeard h;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (std::abs(out[i].first - level) > 64) continue;
        ++h.frames;
        if (h.first < 0) h.first = int(i);
        h.last = int(i);
    }
    return h;
}

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

TEST_F(SdlWaveOutTest, AnAsynchronousSoundIsReplacedAndAWaitedOneHeardToItsEnd)
{
    const std::string a = folder.Write("a.wav", ConstantWav(8000, 1.0));
    const std::string b = folder.Write("b.wav", ConstantWav(16000, 0.3));
    {
        platform::SdlSoundPlayer player;
        ASSERT_TRUE(player.HasDevice());
        const Uint32 start = SDL_GetTicks();
        player.Play(a, false);
        EXPECT_LT(SDL_GetTicks() - start, 100u) << "an asynchronous call returns at once";
        SDL_Delay(200);
        player.Play(b, true);
        EXPECT_GE(SDL_GetTicks() - start, 500u) << "the waited sound is played before the call returns";
    }
    const std::vector<Frame> out = Heard();
    const LevelHeard first = Find(out, 8000), second = Find(out, 16000);
    EXPECT_GT(first.frames, 44100 / 20);
    EXPECT_LT(first.frames, 44100 * 6 / 10) << "the first sound was cut short by the second";
    EXPECT_GE(second.frames, int(0.3 * 44100) - 2) << "the whole of the waited sound";
    EXPECT_LT(first.last, second.first);
}

// Play buffers hold a whole number of bytes, not of sample frames: a
// frame split between two buffers, or cut off by the end of the data, must
// not cost the rest of the sound.
TEST_F(SdlWaveOutTest, SoundsWhoseBuffersSplitFramesComeOutWhole)
{
    std::vector<Frame> frames;
    for (int i = 0; i < 5000; ++i) frames.emplace_back(std::int16_t(2000 + i % 500), std::int16_t(-2000 - i % 200));
    std::string cut = StereoWav(frames);
    cut.push_back('\x11'); // half a sample more than the frames
    cut[40] = char(20001 & 0xFF), cut[41] = char(20001 >> 8);
    // Six channels of 2 bytes: a 16384-byte buffer ends 4 bytes into a frame.
    WavBuilder six;
    six.channels = 6, six.bits = 16, six.blockAlign = 12, six.rate = 44100;
    std::string data;
    for (int i = 0; i < 6000; ++i)
        for (int c = 0; c < 6; ++c) WavBuilder::Put16(data, std::uint16_t(c == 0 || c == 1 ? 6000 : 0));
    const std::string paths[] = {folder.Write("cut.wav", cut), folder.Write("six.wav", six.File(data))};
    {
        // One output for both: the disk driver starts its file anew with every device.
        platform::SdlWaveOut out(queue);
        mAudioWAV::SetWaveOut(&out);
        for (const std::string& path : paths) {
            mAudioWAV player;
            player.OpenFile(path.c_str());
            ASSERT_EQ(1, player.Play(0, 1)) << path;
            Serve(5000, [&] { return !player.streamInfo->playing; });
            EXPECT_EQ(0u, player.streamInfo->playing);
        }
        Serve(100);
        mAudioWAV::SetWaveOut(nullptr);
    }
    std::vector<Frame> heard = Heard(), sounding;
    for (const Frame& f : heard)
        if (f != Frame{0, 0}) sounding.push_back(f);
    ASSERT_GE(sounding.size(), frames.size());
    EXPECT_TRUE(std::vector<Frame>(sounding.begin(), sounding.begin() + 5000) == frames) << "the cut sound whole";
    // The six channels mixed down to two: every frame is heard, and no more.
    const std::size_t mixed = sounding.size() - frames.size();
    EXPECT_NEAR(6000.0, double(mixed), 8.0);
    EXPECT_GT(sounding.back().first, 1000);
}

} // namespace
