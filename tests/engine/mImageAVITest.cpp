// The AVI source on hand-made files, with a decompressor that logs what it
// is asked and a wave output that records what it is given.
#include "engine/media/mImageAVI.h"

#include "AviBuilder.h"
#include "TempFolder.h"
#include "doubles/FakeVideoCodecs.h"
#include "doubles/RecordingWaveOut.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Stream = AviBuilder::Stream;

Stream Video(const std::string& handler = "DIB ", std::uint16_t priority = 0)
{
    return {"vids", handler, priority, 0, 0, AviBuilder::BitmapFormat(4, 2, 8, std::string(4, '\0'), {0x102030, 0x405060})};
}

Stream Audio(std::uint16_t priority = 0, std::uint32_t length = 100000)
{
    return {"auds", std::string(4, '\0'), priority, 0, length, AviBuilder::PcmFormat(1, 8000, 8)};
}

// A movie of one video stream with n frames numbered 10, 11, …
AviBuilder Movie(int frames, bool withSound = false)
{
    AviBuilder b;
    b.streams = {Video()};
    if (withSound) b.streams.push_back(Audio());
    b.totalFrames = std::uint32_t(frames);
    for (int i = 0; i < frames; ++i) b.movi.push_back(AviBuilder::Frame(10 + i));
    return b;
}

class mImageAVITest : public ::testing::Test {
public:
    void SetUp() override
    {
        mImageAVI::SetVideoCodecs(&codecs);
        mAudioWAV::SetWaveOut(&out);
        target.SetColors(mBitmap::DefaultPalette().data(), 0, 256);
    }
    void TearDown() override
    {
        movie.reset();
        mImageAVI::SetVideoCodecs(nullptr);
        mAudioWAV::SetWaveOut(nullptr);
    }
    // The movie from these bytes, its header read, drawing into target.
    mImageAVI& Open(const AviBuilder& b) { return Open(b.File()); }
    mImageAVI& Open(const std::string& bytes)
    {
        movie = std::make_unique<mImageAVI>();
        movie->OpenFile(folder.Write("movie" + std::to_string(++files) + ".avi", bytes).c_str());
        movie->SetTarget(&target);
        header = movie->ReadHeader();
        return *movie;
    }
    int Pixel(int x = 0, int y = 0) const { return target.Row(y)[x]; }

    FakeVideoCodecs codecs;
    RecordingWaveOut out;
    EngineReports boxes;
    TempFolder folder;
    mBitmap target{8, 4, 8};
    std::unique_ptr<mImageAVI> movie;
    int header = -1;
    int files = 0;
};

TEST_F(mImageAVITest, ReadsTheHeaderAndDrivesTheDecompressorInItsOrder)
{
    codecs.palette[1] = 0x405060;
    AviBuilder b = Movie(3, true);
    b.usPerFrame = 66700;
    mImageAVI& m = Open(b);
    ASSERT_EQ(1, header);
    EXPECT_EQ(mImageAVI::TagAvi, m.rendererInfo->formatTag);
    EXPECT_EQ(3, m.rendererInfo->frameCount);
    EXPECT_EQ(std::uint32_t(b.File().size()), m.rendererInfo->size);
    EXPECT_EQ(4, m.frameInfo->width);
    EXPECT_EQ(66u, m.frameInfo->framePeriod);
    EXPECT_EQ(8, m.frameInfo->depth);
    EXPECT_EQ(1, m.frameInfo->paletteChanged);
    EXPECT_EQ(0x405060u, m.frameInfo->colours[1]);
    EXPECT_EQ(1, m.streamInfo->itemCount);
    EXPECT_EQ(std::vector<std::string>({"open DIB  3", "begin 48", "palette"}), codecs.log);
    // The sound's length comes from its stream header: 100000 samples.
    EXPECT_EQ(12500u, m.format->lengthMs);
    EXPECT_EQ(100000u, m.format->lengthBytes);
    EXPECT_EQ(1, m.Play(0, 1));

    EXPECT_EQ(0, m.Draw(0, 0, nullptr));
    EXPECT_EQ(10, Pixel(3, 1));
    EXPECT_EQ(0, Pixel(4, 1)); // beside the frame
    movie.reset();
    EXPECT_EQ(std::vector<std::string>({"frame 10", "end", "close"}),
              std::vector<std::string>(codecs.log.end() - 3, codecs.log.end()));
}

TEST_F(mImageAVITest, WithoutSoundThePicturesStillPlay)
{
    mImageAVI& m = Open(Movie(2));
    ASSERT_EQ(1, header);
    EXPECT_EQ(mImageAVI::TagNone, m.streamInfo->typeTag);
    EXPECT_EQ(0, m.Play(0, 1));
    EXPECT_EQ(0, m.Draw(0, 0, nullptr));
    EXPECT_EQ(10, Pixel());
    EXPECT_TRUE(out.opened.empty());
}

TEST_F(mImageAVITest, TheLastStreamOfTheHighestPriorityWins)
{
    struct Case {
        std::uint16_t first, second;
        int picture;
        std::uint32_t sound;
    };
    for (const Case& c : {Case{0, 0, 21, mFile::FourCC("03wb")}, Case{1, 0, 20, mFile::FourCC("02wb")}}) {
        AviBuilder b;
        b.streams = {Video("DIB ", c.first), Video("DIB ", c.second), Audio(c.first), Audio(c.second)};
        b.totalFrames = 1;
        b.movi = {AviBuilder::Frame(20, 4, "00dc"), AviBuilder::Frame(21, 4, "01dc")};
        mImageAVI& m = Open(b);
        ASSERT_EQ(1, header);
        EXPECT_EQ(2, m.streamInfo->itemCount);
        EXPECT_EQ(c.sound, m.audioChunkId);
        m.Draw(0, 0, nullptr);
        EXPECT_EQ(c.picture, Pixel());
    }
    // A stream chosen by number keeps its place against equal priorities.
    AviBuilder b;
    b.streams = {Audio(), Audio(), Video()};
    b.totalFrames = 1;
    b.movi = {AviBuilder::Frame(1, 4, "02dc")};
    mImageAVI& m = Open(b);
    EXPECT_EQ(0, m.SetPosition(0));
    EXPECT_EQ(99u, m.audioPriority);
    ASSERT_EQ(1, m.ReadHeader());
    EXPECT_EQ(mFile::FourCC("00wb"), m.audioChunkId);
}

TEST_F(mImageAVITest, HandlersAndFormatsAsTheDecompressorSeesThem)
{
    AviBuilder b = Movie(1);
    b.streams[0].handler = "RLE ";
    b.streams[0].format += std::string(2000, 'x');
    Open(b);
    EXPECT_EQ("open MRLE 3", codecs.log.at(0));
    // A long format is cut to a header and 256 colours.
    EXPECT_EQ("begin 1064", codecs.log.at(1));

    codecs.refuseHandler = "cvid";
    b.streams[0].handler = "cvid";
    Open(b);
    EXPECT_EQ(0, header);
    EXPECT_EQ(-1, movie->Draw(0, 0, nullptr));
    codecs.refuseHandler = "";
    codecs.refuseBegin = true;
    Open(b);
    EXPECT_EQ(0, header);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mImageAVITest, DamagedHeadersFailQuietly)
{
    const std::string good = Movie(1).File();
    AviBuilder noMovie = Movie(1);
    noMovie.movi.clear();
    std::string wrongForm = good;
    wrongForm.replace(8, 4, "WAVE");
    AviBuilder huge = Movie(1);
    huge.width = 100000;
    for (const std::string& bytes : {wrongForm, good.substr(0, 100), std::string("RIFF")}) {
        Open(bytes);
        EXPECT_EQ(0, header);
    }
    Open(huge);
    EXPECT_EQ(0, header);
    // A missing movie list is no movie, even when the headers are whole.
    std::string cut = good;
    cut.replace(cut.find("movi") - 8, 4, "JUNK");
    Open(cut);
    EXPECT_EQ(0, header);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mImageAVITest, DrawDecodesEachFrameOnceAndKeepsTheLast)
{
    mImageAVI& m = Open(Movie(3));
    m.Draw(0, 0, nullptr);
    m.Draw(2, 1, nullptr);
    EXPECT_EQ(std::vector<int>({10}), codecs.Decoded());
    EXPECT_EQ(10, Pixel(2, 1));
    m.SetAutoAdvance(true);
    std::vector<int> shown;
    for (int i = 0; i < 5; ++i) shown.push_back(m.Draw(0, 0, nullptr));
    EXPECT_EQ(std::vector<int>({0, 1, 2, 2, 2}), shown);
    EXPECT_EQ(12, Pixel());
    EXPECT_EQ(std::vector<int>({10, 11, 12}), codecs.Decoded());

    // A clip rectangle keeps the rest of the target as it was.
    const mRect all{0, 0, 8, 4};
    target.FillRects(1, &all, 1);
    const mRect clip{3, 0, 5, 1};
    m.Draw(0, 0, &clip);
    EXPECT_EQ(1, Pixel(2, 0));
    EXPECT_EQ(12, Pixel(3, 0));
    EXPECT_EQ(1, Pixel(3, 1));
}

TEST_F(mImageAVITest, ChunksBetweenFramesAreReadForWhatTheyAre)
{
    AviBuilder b = Movie(0, true);
    b.totalFrames = 5; // one more than the movie holds
    const std::string change = AviBuilder::U16(0x0201) + AviBuilder::U16(0) + "\x11\x22\x33" + std::string(1, '\0') +
                               std::string("\x44\x55\x66", 3) + std::string(1, '\0');
    b.movi = {AviBuilder::Chunk("01wb", "abc"),
              AviBuilder::Frame(10),
              AviBuilder::Chunk("JUNK", "xx"),
              // an uncompressed frame ("db") is a frame as much as a compressed one
              AviBuilder::List("rec ", AviBuilder::Chunk("01wb", "defg") + AviBuilder::Frame(11, 4, "00db")),
              AviBuilder::Chunk("00pc", change),
              AviBuilder::Frame(12),
              AviBuilder::Chunk("00dc", ""),
              AviBuilder::Chunk("01wb", std::string(3000, 's'))};
    mImageAVI& m = Open(b);
    m.SetAutoAdvance(true);
    EXPECT_EQ(0, m.Draw(0, 0, nullptr)); // not playing: the first sound is dropped
    out.finishOnWrite = true;
    ASSERT_EQ(1, m.Play(0, 1));
    EXPECT_EQ(1, m.Draw(0, 0, nullptr));
    EXPECT_EQ("defg", out.played);
    // The palette change is no frame; it reaches the decompressor and the
    // frame bitmap, and the director hears of it.
    m.frameInfo->paletteChanged = 0;
    EXPECT_EQ(2, m.Draw(0, 0, nullptr));
    EXPECT_EQ(12, Pixel());
    EXPECT_NE(std::find(codecs.log.begin(), codecs.log.end(), "change 1 2"), codecs.log.end());
    EXPECT_EQ(0x445566u, m.frameInfo->colours[2]);
    EXPECT_EQ(1, m.frameInfo->paletteChanged);
    // An empty frame repeats the one before.
    EXPECT_EQ(3, m.Draw(0, 0, nullptr));
    EXPECT_EQ("empty", codecs.log.back());
    EXPECT_EQ(12, Pixel());
    // The movie ends; the sound after the last frame is not read.
    EXPECT_EQ(-1, m.Draw(0, 0, nullptr));
    EXPECT_EQ(std::vector<int>({10, 11, 12}), codecs.Decoded());
}

TEST_F(mImageAVITest, ASoundChunkLargerThanABufferFillsSeveral)
{
    AviBuilder b = Movie(1, true);
    b.usPerFrame = 40000; // a buffer holds 50 ms: 400 bytes at 8000 bytes a second
    const std::string sound(1000, 'q');
    b.movi.insert(b.movi.begin(), AviBuilder::Chunk("01wb", sound));
    mImageAVI& m = Open(b);
    ASSERT_EQ(1, m.Play(0, 1));
    out.finishOnWrite = true;
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(sound, out.played);
    EXPECT_EQ(std::vector<std::uint32_t>({400, 400, 200}), out.lengths);
    // With every buffer still playing the rest of a chunk is dropped.
    out = {};
    b.movi.insert(b.movi.begin() + 1, AviBuilder::Chunk("01wb", sound));
    b.movi.insert(b.movi.begin() + 1, AviBuilder::Chunk("01wb", sound));
    mImageAVI& again = Open(b);
    ASSERT_EQ(1, again.Play(0, 1));
    again.Draw(0, 0, nullptr);
    EXPECT_EQ(std::size_t(again.bufferCount), out.lengths.size());
    EXPECT_EQ(10, Pixel());
}

TEST_F(mImageAVITest, SeekingDecodesOnlyWhatTheFrameNeeds)
{
    mImageAVI& m = Open(Movie(20));
    EXPECT_EQ(0, m.SeekFrame(7, 0));
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(std::vector<int>({10, 11, 12, 13, 14, 15, 16, 17}), codecs.Decoded());
    codecs.log.clear();
    // Past the end: the current frame, and nothing else happens.
    EXPECT_EQ(7, m.SeekFrame(20, 0));
    EXPECT_EQ(7, m.SeekFrame(-1, 0));
    EXPECT_TRUE(codecs.Decoded().empty());
    EXPECT_EQ(7, m.SeekFrame(0, 1));
    EXPECT_EQ(8, m.SeekFrame(1, 1));
    m.Draw(0, 0, nullptr);
    // Back: from the first frame again.
    m.SeekFrame(2, 0);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(std::vector<int>({18, 10, 11, 12}), codecs.Decoded());
    EXPECT_EQ(12, Pixel());
    // From the end.
    codecs.log.clear();
    m.SeekFrame(1, 2);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(29, codecs.Decoded().back());
    EXPECT_EQ(17u, codecs.Decoded().size());
}

TEST_F(mImageAVITest, LongJumpsStartAtTheKeyFrameTheIndexNames)
{
    AviBuilder b = Movie(40);
    b.flags = mImageAVI::HasIndex;
    b.index = true;
    b.keyFrames = {0, 15, 35};
    // The index names a palette change too: it is no frame.
    b.movi.insert(b.movi.begin() + 3, AviBuilder::Chunk("00pc", AviBuilder::U16(0x0100) + AviBuilder::U16(0) + "abc" + std::string(1, '\0')));
    mImageAVI& m = Open(b);
    ASSERT_NE(0, m.indexStart);
    m.SeekFrame(20, 0);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(std::vector<int>({25, 26, 27, 28, 29, 30}), codecs.Decoded());
    EXPECT_EQ(30, Pixel());
    // The last key frame lies before what is decoded already: go on from there.
    codecs.log.clear();
    m.SeekFrame(32, 0);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(std::vector<int>({31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42}), codecs.Decoded());
    // A jump of 10 frames decodes forward without the index.
    codecs.log.clear();
    m.SeekFrame(39, 0);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(7u, codecs.Decoded().size());

    // An index whose offsets lead nowhere: from the first frame.
    b.indexShift = 3;
    mImageAVI& damaged = Open(b);
    codecs.log.clear();
    damaged.SeekFrame(12, 0);
    damaged.Draw(0, 0, nullptr);
    EXPECT_EQ(13u, codecs.Decoded().size());
    EXPECT_EQ(22, Pixel());
}

TEST_F(mImageAVITest, SeekingNeedsNoTarget)
{
    mImageAVI& m = Open(Movie(5));
    m.SetTarget(nullptr);
    EXPECT_EQ(-1, m.Draw(0, 0, nullptr));
    EXPECT_EQ(0, m.SeekFrame(3, 0));
    EXPECT_EQ(std::vector<int>({10, 11, 12}), codecs.Decoded());
    m.SetTarget(&target);
    EXPECT_EQ(3, m.Draw(0, 0, nullptr));
    EXPECT_EQ(13, Pixel());
}

TEST_F(mImageAVITest, TheFirstFramesTopLeftPixelIsTheTransparentColour)
{
    mImageAVI& m = Open(Movie(2));
    m.SetAutoAdvance(true);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(10u, m.frameInfo->transparentColour & 0xFF);
    EXPECT_EQ(0, m.frameInfo->transparent);
    EXPECT_FALSE(m.colourFromFirstPixel);
    m.Draw(0, 0, nullptr);
    EXPECT_EQ(10u, m.frameInfo->transparentColour & 0xFF);

    mImageAVI& chosen = Open(Movie(2));
    chosen.SetTransparentColor(5);
    chosen.Draw(0, 0, nullptr);
    EXPECT_EQ(5u, chosen.frameInfo->transparentColour);
    EXPECT_EQ(1, chosen.frameInfo->transparent);
}

TEST_F(mImageAVITest, NumbersFromTheFileCannotStallOrOverflow)
{
    // A frame period of 0 counts as 1 ms.
    AviBuilder b = Movie(2);
    b.usPerFrame = 0;
    EXPECT_EQ(1u, Open(b).frameInfo->framePeriod);

    // Stream numbers wrap at 100: stream 100's frames are "00dc".
    AviBuilder many;
    many.streams.assign(100, Stream{"txts", "    ", 0, 0, 0, "t"});
    many.streams.push_back(Video());
    many.totalFrames = 1;
    many.movi = {AviBuilder::Frame(7)};
    mImageAVI& wrapped = Open(many);
    ASSERT_EQ(1, header);
    EXPECT_EQ(0, wrapped.Draw(0, 0, nullptr));
    EXPECT_EQ(7, Pixel());

    // A frame buffer suggested at 4 GB is not made; a chunk declared near
    // 4 GB ends the movie instead of stalling it.
    AviBuilder big = Movie(1);
    big.streams[0].suggestedBufferSize = 0xFFFFFFF0u;
    big.movi.insert(big.movi.begin(), "JUNK" + AviBuilder::U32(0xFFFFFFFFu) + "abcd");
    mImageAVI& m = Open(big);
    ASSERT_EQ(1, header);
    EXPECT_EQ(0, m.frameBufferSize);
    EXPECT_EQ(-1, m.Draw(0, 0, nullptr));

    // A form that claims to end before its movie does: the chunks past
    // its end are read up to the movie list's end, and the walk ends.
    AviBuilder cut = Movie(2, true);
    cut.totalFrames = 3;
    cut.movi = {AviBuilder::Chunk("01wb", "ab"), AviBuilder::Frame(10), AviBuilder::Chunk("JUNK", ""), AviBuilder::Frame(11)};
    std::string shortForm = cut.File();
    shortForm.replace(4, 4, AviBuilder::U32(std::uint32_t(shortForm.find("movi"))));
    mImageAVI& s = Open(shortForm);
    ASSERT_EQ(1, header);
    ASSERT_EQ(1, s.Play(0, 1));
    s.SetAutoAdvance(true);
    EXPECT_EQ(0, s.Draw(0, 0, nullptr));
    EXPECT_EQ("ab", out.played);
    EXPECT_EQ(-1, s.Draw(0, 0, nullptr));

    // A sound format that looks like a form of its own leaves the movie's
    // chunks where they were.
    AviBuilder odd = Movie(1, true);
    odd.streams[1].format = "RIFF" + AviBuilder::U32(4) + "WAVE" + std::string(8, '\0');
    mImageAVI& o = Open(odd);
    ASSERT_EQ(1, header);
    EXPECT_EQ(0, o.Draw(0, 0, nullptr));
    EXPECT_EQ(0, o.Play(0, 1)); // and it is no sound
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mImageAVITest, NotWritable)
{
    mImageAVI& m = Open(Movie(1));
    EXPECT_EQ(0, m.WriteHeader());
    EXPECT_EQ(0, m.WriteFrame());
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("mImageAVI", boxes.shown[0].caption);
}

} // namespace
