// Plays through SDL's disk audio driver, which writes what would be heard
// to a file in real time, and checks that file.
#include "platform/SdlSoundPlayer.h"

#include "TempFolder.h"
#include "engine/WavBuilder.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Rate = 44100;

// A WAV file whose every sample has the same value: each sound is known in
// the output by its level.
std::string ConstantWav(std::int16_t level, double seconds)
{
    WavBuilder wav;
    wav.channels = 2, wav.blockAlign = 4, wav.bits = 16, wav.rate = Rate;
    std::string samples;
    for (auto i = std::uint32_t(seconds * Rate) * 2; i > 0; --i) WavBuilder::Put16(samples, std::uint16_t(level));
    return wav.File(samples);
}

struct Heard {
    int frames = 0; // frames at the level
    int first = -1; // index of the first and last of them
    int last = -1;
};

class SdlSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (folder / "out.raw").c_str(), 1);
    }

    // The left channel of what was written, one value per frame.
    std::vector<std::int16_t> Output() const
    {
        const std::string raw = folder.Read("out.raw");
        std::vector<std::int16_t> left;
        for (std::size_t i = 0; i + 4 <= raw.size(); i += 4)
            left.push_back(std::int16_t(std::uint8_t(raw[i]) | std::uint8_t(raw[i + 1]) << 8));
        return left;
    }

    static Heard Find(const std::vector<std::int16_t>& out, std::int16_t level)
    {
        Heard h;
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (std::abs(out[i] - level) > 64) continue;
            ++h.frames;
            if (h.first < 0) h.first = int(i);
            h.last = int(i);
        }
        return h;
    }

    TempFolder folder;
};

TEST_F(SdlSoundPlayerTest, AnAsynchronousSoundIsReplacedAndAWaitedOneHeardToItsEnd)
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
    const std::vector<std::int16_t> out = Output();
    const Heard first = Find(out, 8000), second = Find(out, 16000);
    EXPECT_GT(first.frames, Rate / 20);
    EXPECT_LT(first.frames, Rate * 6 / 10) << "the first sound was cut short by the second";
    EXPECT_GE(second.frames, int(0.3 * Rate) - 2) << "the whole of the waited sound";
    EXPECT_LT(first.last, second.first);
}

} // namespace
