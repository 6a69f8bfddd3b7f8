// Plays through SDL's disk audio driver, which writes what would be heard
// to a file in real time, and checks that file.
#include "platform/SdlSoundPlayer.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Rate = 44100;

// A WAV file whose every sample has the same value: each sound is known in
// the output by its level.
std::string ConstantWav(std::int16_t level, double seconds, int rate = Rate, int channels = 2)
{
    const auto frames = std::uint32_t(seconds * rate);
    std::string out;
    auto u16 = [&out](std::uint32_t v) { out.push_back(char(v & 0xFF)); out.push_back(char(v >> 8 & 0xFF)); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    const std::uint32_t data = frames * std::uint32_t(channels) * 2;
    out += "RIFF";
    u32(36 + data);
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(std::uint32_t(channels));
    u32(std::uint32_t(rate));
    u32(std::uint32_t(rate * channels * 2));
    u16(std::uint32_t(channels * 2));
    u16(16);
    out += "data";
    u32(data);
    for (std::uint32_t i = 0; i < frames * std::uint32_t(channels); ++i) u16(std::uint16_t(level));
    return out;
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

TEST_F(SdlSoundPlayerTest, AMissingFileIsSilenceAndStopsWhatPlays)
{
    const std::string a = folder.Write("a.wav", ConstantWav(8000, 1.0));
    folder.Write("damaged.wav", "RIFF....WAVEjunk");
    {
        platform::SdlSoundPlayer player;
        player.Play(a, false);
        SDL_Delay(150);
        player.Play(folder / "missing.wav", true);
        player.Play(folder / "damaged.wav", false);
        SDL_Delay(300);
    }
    const std::vector<std::int16_t> out = Output();
    const Heard first = Find(out, 8000);
    EXPECT_LT(first.frames, Rate / 2);
    for (std::size_t i = std::size_t(first.last + 1); i < out.size(); ++i)
        ASSERT_EQ(0, out[i]) << "no default sound after the missing one, at frame " << i;
}

TEST_F(SdlSoundPlayerTest, OtherFormatsAreConvertedToTheDevice)
{
    const std::string mono = folder.Write("mono.wav", ConstantWav(12000, 0.25, 22050, 1));
    {
        platform::SdlSoundPlayer player;
        player.Play(mono, true);
    }
    const Heard h = Find(Output(), 12000);
    EXPECT_NEAR(0.25 * Rate, h.frames, 0.02 * Rate);
}

TEST_F(SdlSoundPlayerTest, WithoutAnAudioDeviceEveryCallIsSilentAndReturns)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    platform::SdlSoundPlayer player;
    EXPECT_FALSE(player.HasDevice());
    player.Play(folder.Write("a.wav", ConstantWav(8000, 2.0)), true);
}

TEST_F(SdlSoundPlayerTest, TheProgramStillEndsOnATerminationSignal)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::SdlSoundPlayer player;
        std::raise(SIGTERM);
        SDL_Delay(500);
        std::_Exit(0); // reached only when the signal was swallowed
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
}

} // namespace
