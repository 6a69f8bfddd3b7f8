// The wave player on a recording output that plays when the test says.
#include "engine/media/mAudioWAV.h"

#include "WavBuilder.h"
#include "TempFolder.h"
#include "doubles/RecordingWaveOut.h"
#include "doubles/ManualUiQueue.h"
#include "platform/FileWaveOut.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include <sys/resource.h>

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

TEST_F(mAudioWAVTest, PlaysAPartNTimesOrUntilStopped)
{
    const std::string data = WavBuilder::Samples(30000);
    auto player = Player(WavBuilder{}.File(data));
    // 500 ms at 11025 bytes a second: from byte 5513 to the end, three times.
    EXPECT_EQ(500, player->Seek(500, 0));
    ASSERT_EQ(1, player->Play(0, 3));
    EXPECT_EQ(0, player->Seek(0, 0)) << "no seeking while playing";
    EXPECT_EQ(0, player->Play(0, 1)) << "already playing";
    PlayOut(*player);
    const std::string tail = data.substr(5513);
    EXPECT_EQ(tail + tail + tail, out.played);

    out.played.clear();
    ASSERT_EQ(1, player->Play(1000, 0)); // endless, 11025 bytes a pass
    for (int i = 0; i < 40; ++i) out.Finish();
    EXPECT_EQ(1u, player->streamInfo->playing);
    EXPECT_EQ(data.substr(0, 11025), out.played.substr(11025, 11025));
    EXPECT_EQ(1, player->Stop());
    EXPECT_EQ(0u, player->streamInfo->playing);
    EXPECT_TRUE(out.notices.empty());
}

TEST_F(mAudioWAVTest, PausesResumesAndDropsNoticesOfAnEarlierOutput)
{
    auto player = Player(WavBuilder{}.File(WavBuilder::Samples(50000)));
    ASSERT_EQ(1, player->Play(0, 1));
    const auto oldOutput = out.queued.front();
    EXPECT_EQ(1, player->Pause());
    EXPECT_EQ(1, player->Pause());
    EXPECT_EQ(1, out.pauses);
    EXPECT_EQ(1, player->Play(0, 1));
    EXPECT_EQ(1, out.restarts);
    EXPECT_EQ(0u, player->streamInfo->paused);
    out.refusePause = true;
    EXPECT_EQ(0, player->Pause());
    EXPECT_EQ(1, player->Stop());
    ASSERT_EQ(1, player->Play(0, 1));
    const std::size_t queued = out.queued.size();
    // A notice of the stopped output arrives late: nothing happens.
    RecordingWaveOut::DoneNotice late = out.notices.begin()->second;
    late(oldOutput.output, *out.queued.front().buffer);
    EXPECT_EQ(queued, out.queued.size());
    EXPECT_EQ(0u, player->streamInfo->position);
    player.reset(); // gone while playing: the output is closed
    EXPECT_TRUE(out.notices.empty());
}

TEST_F(mAudioWAVTest, ReadsWhatTheFileHoldsAndRefusesWhatCannotBePlayed)
{
    const std::string data = WavBuilder::Samples(20000);
    WavBuilder extensible;
    extensible.tag = platform::WAVE_FORMAT_EXTENSIBLE;
    extensible.fmtSize = 40;
    extensible.between = std::string("LIST\x04\0\0\0INFO", 12);
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
        {bad([](WavBuilder& b) { b.rate = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.channels = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.bits = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.blockAlign = 0; }), false, ""},
        {bad([](WavBuilder& b) { b.fmtSize = 12; }), false, ""},
        {bad([](WavBuilder& b) { b.fmtSize = 100000; }), false, ""},
        {WavBuilder{}.File(""), false, ""},           // nothing to play
        {bad([](WavBuilder& b) { b.claimedData = 1000; }).substr(0, 44), false, ""}, // the file ends at the data
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
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
        player->Stop();
    }
}

TEST_F(mAudioWAVTest, LengthsAndPositionsOfALongSoundDoNotOverflow)
{
    WavBuilder cd;
    cd.channels = 2, cd.bits = 16, cd.blockAlign = 4, cd.rate = 44100;
    cd.claimedData = 100'000'000;
    auto player = Player(cd.File(WavBuilder::Samples(4000)));
    ASSERT_EQ(1, player->Open(0));
    EXPECT_EQ(566'893u, player->format->lengthMs);
    EXPECT_EQ(500'000, player->Seek(500'000, 0));
    EXPECT_EQ(88'200'000u, player->streamInfo->position);
    EXPECT_EQ(566'893, player->Seek(600'000, 0)) << "no further than the end";
    EXPECT_EQ(0, player->Seek(600'000, 2)) << "nor before the start";
}

TEST_F(mAudioWAVTest, VolumeAndBufferingKeepToWhatTheDeviceAndMemoryAllow)
{
    auto player = Player(WavBuilder{}.File(WavBuilder::Samples(100)));
    EXPECT_EQ(1, player->SetVolume(0x18000, 0x4000));
    EXPECT_EQ(0x40008000u, player->streamInfo->volume);
    out.caps.support = platform::WAVECAPS_VOLUME; // one level for both sides
    auto single = Player(WavBuilder{}.File(WavBuilder::Samples(100)));
    EXPECT_EQ(1, single->SetVolume(0x8000, 0x4000));
    EXPECT_EQ(0x60006000u, single->streamInfo->volume);
    ASSERT_EQ(1, single->Play(0, 1));
    EXPECT_EQ(std::vector<std::uint32_t>{0x60006000u}, out.volumes);
    out.caps.support = 0;
    auto none = Player(WavBuilder{}.File(WavBuilder::Samples(100)));
    EXPECT_EQ(0, none->SetVolume(1, 1));
    EXPECT_EQ(0u, none->streamInfo->volume);

    player->SetTimeFormat(2); // bytes
    player->SetBuffering(0, 0);
    EXPECT_EQ(4u, player->bufferSize);
    EXPECT_EQ(1, player->bufferCount);
    player->SetBuffering(0xFFFFFFFF, 1000);
    EXPECT_EQ(1u << 20, player->bufferSize);
    EXPECT_EQ(32, player->bufferCount);
    player->SetBuffering(7, 3);
    EXPECT_EQ(8u, player->bufferSize);
    out.devices = 0;
    mAudioWAV silent;
    EXPECT_EQ(0u, silent.streamInfo->typeTag);
    EXPECT_EQ(0, silent.Play(0, 1));
}

// A notice that arrives while a buffer is being queued (a report box keeps
// the event loop running) is taken once the buffer is queued.
TEST_F(mAudioWAVTest, ABufferBackWhileFillingIsTakenAfterTheFill)
{
    out.finishOnWrite = true;
    const std::string data = WavBuilder::Samples(100000);
    auto player = Player(WavBuilder{}.File(data));
    ASSERT_EQ(1, player->Play(0, 2));
    PlayOut(*player);
    EXPECT_EQ(data + data, out.played);
    EXPECT_EQ(0u, player->streamInfo->playing);
}

} // namespace

namespace {

std::string Output(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, n);
        pclose(pipe);
    }
    return out;
}

// Files sox makes, played through the recording output: every byte queued
// is what sox itself reads from them.
TEST(mAudioWAVSoxTest, PlaysWhatSoxWroteByteForByte)
{
    TempFolder folder;
    RecordingWaveOut out;
    mAudioWAV::SetWaveOut(&out);
    for (const char* format : {"-r 11025 -c 1 -b 8 -e unsigned-integer", "-r 22050 -c 2 -b 16", "-r 44100 -c 1 -b 16"}) {
        SCOPED_TRACE(format);
        const std::string file = folder / "sox.wav";
        Output(std::string("sox -n ") + format + " " + file + " synth 0.77 sine 300-2000 2>&1");
        const std::string reference = Output("sox " + file + " -t raw - 2>/dev/null");
        ASSERT_GT(reference.size(), 8000u);
        out = {};
        {
            mAudioWAV player;
            player.OpenFile(file.c_str());
            ASSERT_EQ(1, player.Play(0, 1));
            while (player.streamInfo->playing && !out.queued.empty()) out.Finish();
        }
        EXPECT_TRUE(reference == out.played) << reference.size() << " bytes from sox, " << out.played.size() << " queued";
    }
    mAudioWAV::SetWaveOut(nullptr);
}

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Through the output that writes a WAV file instead of playing: the file
// is the source again, and a 100 MB sound passes in its few buffers.
TEST(mAudioWAVFileTest, AWrittenPlaybackIsTheSourceAndALongOneStreams)
{
    TempFolder folder;
    ManualUiQueue queue;
    const std::string source = WavBuilder{}.File(WavBuilder::Samples(50001));
    for (const std::string& into : {folder / "heard.wav", std::string("/dev/null")}) {
        platform::FileWaveOut out(queue, into);
        mAudioWAV::SetWaveOut(&out);
        const bool big = into == "/dev/null";
        const std::string path = folder / "source.wav";
        if (!big) {
            folder.Write("source.wav", source);
        } else {
            WavBuilder cd;
            cd.channels = 2, cd.bits = 16, cd.blockAlign = 4, cd.rate = 44100;
            std::ofstream file(path, std::ios::binary);
            file << cd.File("").substr(0, 40);
            const std::uint32_t bytes = 100u << 20;
            file.write(reinterpret_cast<const char*>(&bytes), 4);
            const std::string megabyte = WavBuilder::Samples(1 << 20);
            for (int i = 0; i < 100; ++i) file << megabyte;
        }
        const long before = PeakResidentKb();
        {
            mAudioWAV player;
            player.OpenFile(path.c_str());
            ASSERT_EQ(1, player.Play(0, 1));
            while (player.streamInfo->playing && queue.RunAll() > 0) {
            }
            EXPECT_EQ(0u, player.streamInfo->playing);
        }
        mAudioWAV::SetWaveOut(nullptr);
        EXPECT_TRUE(out.Good());
        if (big) {
            EXPECT_EQ(100u << 20, out.DataBytes());
            EXPECT_LT(PeakResidentKb() - before, 4096) << "kB more at the peak";
        } else {
            EXPECT_EQ(source, folder.Read("heard.wav"));
        }
    }
}

} // namespace
