// The wave player on a recording output that plays when the test says.
#include "engine/media/mAudioWAV.h"

#include "WavBuilder.h"
#include "TempFolder.h"
#include "doubles/EngineReports.h"
#include "doubles/RecordingWaveOut.h"

#include <gtest/gtest.h>

#include <memory>


namespace {

class mAudioWAVTest : public ::testing::Test {
public:
    void SetUp() override { mAudioWAV::SetWaveOut(&out); }
    void TearDown() override { mAudioWAV::SetWaveOut(nullptr); }

    // A player on a file of these bytes, opened as its owner would.
    std::unique_ptr<mAudioWAV> Player(const std::string& bytes)
    {
        auto player = std::make_unique<mAudioWAV>();
        player->OpenFile(folder.Write("sound" + std::to_string(++files) + ".wav", bytes).c_str());
        return player;
    }
    // Lets the output play everything, as long as something comes back.
    void PlayOut(mAudioWAV& player, int most = 10000)
    {
        while (player.streamInfo->playing && !out.queued.empty() && most-- > 0) out.Finish();
    }

    RecordingWaveOut out;
    TempFolder folder;
    int files = 0;
};

TEST_F(mAudioWAVTest, StreamsThroughAsFewBuffersAsThePassNeeds)
{
    struct Case {
        std::size_t bytes;
        std::vector<std::uint32_t> lengths;
        std::size_t nodes;
    };
    for (const Case& c : {Case{10000, {10000}, 1}, Case{40000, {16384, 16384, 7232}, 2}}) {
        out = {};
        const std::string data = WavBuilder::Samples(c.bytes);
        auto player = Player(WavBuilder{}.File(data));
        ASSERT_EQ(1, player->Play(0, 1));
        EXPECT_EQ(1u, player->streamInfo->playing);
        EXPECT_EQ(c.nodes, out.queued.size());
        EXPECT_EQ(c.nodes == 1, player->ring->next == player->ring);
        if (c.nodes == 2) {
            out.Finish();
            EXPECT_EQ(16384u, player->streamInfo->position) << "the position follows the buffers played";
        }
        PlayOut(*player);
        EXPECT_EQ(c.lengths, out.lengths);
        EXPECT_EQ(data, out.played);
        if (c.nodes == 2) {
            EXPECT_EQ(out.written[0], out.written[2]) << "the two buffers take turns";
            EXPECT_NE(out.written[0], out.written[1]);
        }
        EXPECT_EQ(0u, player->streamInfo->playing);
        EXPECT_EQ(0u, player->streamInfo->position);
        EXPECT_EQ(nullptr, player->ring);
        EXPECT_TRUE(out.notices.empty()) << "the output is closed";
    }
}

TEST_F(mAudioWAVTest, ReadsWhatTheFileHoldsAndRefusesWhatCannotBePlayed)
{
    const std::string data = WavBuilder::Samples(20000);
    WavBuilder extensible;
    extensible.tag = platform::WAVE_FORMAT_EXTENSIBLE;
    extensible.fmtSize = 40;
    extensible.subFormat = platform::WAVE_FORMAT_PCM;
    extensible.between = std::string("LIST\x04\0\0\0INFO", 12);
    WavBuilder floats = extensible;
    floats.subFormat = platform::WAVE_FORMAT_IEEE_FLOAT;
    floats.bits = 32;
    floats.blockAlign = 4;
    WavBuilder longer; // claims more than the file holds
    longer.claimedData = 30000;
    struct Case {
        std::string file;
        bool plays;
        std::string heard;
    };
    const auto bad = [](auto change) {
        WavBuilder b;
        change(b);
        return b.File("abcd");
    };
    const std::vector<Case> cases = {
        {extensible.File(data), true, data},
        {longer.File(data), true, data},
        {WavBuilder{}.Header() + data, true, data}, // not RIFF: a raw stream after its header
        {floats.File(data), true, data},
        {bad([](WavBuilder& b) { b.rate = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.channels = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.bits = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.blockAlign = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.fmtSize = 12; }), false, ""},
        {bad([](WavBuilder& b) { b.fmtSize = 100000; }), false, ""},
        {WavBuilder{}.File(""), false, ""},           // nothing to play
        {bad([](WavBuilder& b) { b.claimedData = 1000; }).substr(0, 44), false, ""}, // the file ends at the data
    };
    // Sample data that would play as noise is refused, and the player says why.
    const std::vector<std::pair<std::string, std::string>> unplayable = {
        {bad([](WavBuilder& b) { b.tag = 2, b.bits = 4, b.blockAlign = 256; }), "format 2, 1 channels, 11025 Hz"}, // ADPCM
        {bad([](WavBuilder& b) { b.tag = 0xFFFE, b.fmtSize = 40, b.subFormat = 2; }), "format 65534,"},
        {bad([](WavBuilder& b) { b.tag = 0xFFFE, b.fmtSize = 24; }), "format 65534,"}, // no sub-format at all
        {bad([](WavBuilder& b) { b.bits = 16; }), "format 1,"}, // frames of 2 bytes in blocks of 1
    };
    for (const auto& [file, detail] : unplayable) {
        SCOPED_TRACE(detail);
        EngineReports reports;
        out = {};
        auto player = Player(file);
        EXPECT_EQ(0, player->Play(0, 1));
        EXPECT_TRUE(out.played.empty());
        ASSERT_EQ(1u, reports.shown.size());
        EXPECT_NE(std::string::npos, reports.shown[0].text.find("File type error:" + detail));
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EngineReports reports;
        out = {};
        auto player = Player(cases[i].file);
        const bool raw = cases[i].file.compare(0, 4, "RIFF") != 0;
        EXPECT_EQ(cases[i].plays ? 1 : 0, player->Play(0, raw ? 1 : 0)); // endless where the file is known
        if (!raw) for (int k = 0; k < 8 && cases[i].plays; ++k) out.Finish();
        if (raw) PlayOut(*player, 3);
        EXPECT_EQ(cases[i].heard, out.played.substr(0, cases[i].heard.size()));
        if (!cases[i].plays) {
            EXPECT_EQ(0u, player->streamInfo->playing);
        }
        EXPECT_EQ(std::vector<std::string>{}, reports.Texts());
        player->Stop();
    }
}

// The volume starts full where the device has a control, at 0 where it has
// none, and goes to the device as it can take it: each side, both sides
// alike, or not at all.
TEST_F(mAudioWAVTest, TheVolumeIsSetAsTheDeviceCanTakeIt)
{
    struct Case {
        std::uint32_t support;
        std::uint32_t initial;
        std::int32_t result;
        std::uint32_t volume;
    };
    for (const Case& c : {Case{platform::WAVECAPS_VOLUME | platform::WAVECAPS_LRVOLUME, 0xFFFFFFFF, 1, 0x30001000},
                          Case{platform::WAVECAPS_VOLUME, 0xFFFFFFFF, 1, 0x20002000}, Case{0, 0, 0, 0}}) {
        SCOPED_TRACE(c.support);
        out.caps.support = c.support;
        auto player = Player(WavBuilder{}.File(WavBuilder::Samples(100)));
        EXPECT_EQ(c.initial, player->streamInfo->volume);
        EXPECT_EQ(c.result, player->SetVolume(0x51000, 0x3000)); // only the low 16 bits count
        EXPECT_EQ(c.result ? c.volume : c.initial, player->streamInfo->volume);
    }
}

// A sound held in memory plays whole on every pass: the stream keeps its
// block between passes instead of taking a buffer of its own.
TEST_F(mAudioWAVTest, ASoundHeldInMemoryPlaysWholeOnEveryPass)
{
    const std::string data = WavBuilder::Samples(40000), file = WavBuilder{}.File(data);
    mAudioWAV player;
    player.OpenMemory(file.data(), long(file.size()));
    for (int pass = 1; pass <= 2; ++pass) {
        out.played.clear();
        ASSERT_EQ(1, player.Play(0, 1)) << "pass " << pass;
        PlayOut(player);
        EXPECT_EQ(data, out.played) << "pass " << pass;
    }
}

// Positions in bytes move back as well as forward, and stay in the data.
TEST_F(mAudioWAVTest, SeeksInBytesGoBackAndStayInTheData)
{
    auto player = Player(WavBuilder{}.File(WavBuilder::Samples(1000)));
    // A new sound counts in milliseconds: 50 ms are 551.25 samples, 552 begun.
    EXPECT_EQ(50, player->Seek(50, 0));
    player->SetTimeFormat(2);
    EXPECT_EQ(552, player->Seek(0, 1));
    EXPECT_EQ(600, player->Seek(600, 0));
    EXPECT_EQ(400, player->Seek(-200, 1));
    EXPECT_EQ(0, player->Seek(-1000, 1));
    EXPECT_EQ(1000, player->Seek(5000, 1));
    EXPECT_EQ(990, player->Seek(10, 2));
    player->SetTimeFormat(0); // milliseconds: 11025 samples a second
    EXPECT_EQ(88, player->Seek(-1, 1)) << "1 ms back is 12 samples back: 978 samples are 88.7 ms";
}

// A released file closes at once when paused, else when its pass ends; the
// player then has nothing left to seek in or play.
TEST_F(mAudioWAVTest, AReleasedFileClosesAtOnceOrWhenItsPassEnds)
{
    for (const bool paused : {true, false}) {
        SCOPED_TRACE(paused ? "paused" : "playing");
        auto player = Player(WavBuilder{}.File(WavBuilder::Samples(20000)));
        ASSERT_EQ(1, player->Play(0, 1));
        if (paused) player->Pause();
        player->ReleaseFile();
        EXPECT_EQ(!paused, player->open);
        PlayOut(*player);
        EXPECT_FALSE(player->open);
        EXPECT_EQ(0u, player->streamInfo->playing);
        const std::size_t writes = out.queued.size();
        EXPECT_EQ(0, player->Seek(100, 0));
        EXPECT_EQ(0, player->Play(0, 1));
        EXPECT_EQ(writes, out.queued.size());
    }
}

} // namespace
