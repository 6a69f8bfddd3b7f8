// The AVI source on hand-made files, with a decompressor that logs what it
// is asked and a wave output that records what it is given.
#include "engine/media/mImageAVI.h"

#include "AviBuilder.h"
#include "TempFolder.h"
#include "doubles/FakeVideoCodecs.h"
#include "doubles/RecordingWaveOut.h"
#include "doubles/EngineReports.h"
#include "platform/AvVideoCodecs.h"
#include "bench/FfmpegAvi.h"
#include "FfmpegFlic.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Stream = AviBuilder::Stream;

Stream Video()
{
    return {"vids", "DIB ", 0, 0, 0, AviBuilder::BitmapFormat(4, 2, 8, std::string(4, '\0'), {0x102030, 0x405060})};
}

Stream Audio(unsigned channels = 1, std::uint32_t rate = 8000, unsigned bits = 8, std::uint32_t length = 100000)
{
    return {"auds", std::string(4, '\0'), 0, 0, length, AviBuilder::PcmFormat(channels, rate, bits)};
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

    // The sound after the last frame is played, and nothing after it, though
    // the stream's header promises more.
    AviBuilder tail = Movie(2, true);
    tail.flags = 0x10;
    tail.index = true;
    tail.movi.insert(tail.movi.begin(), AviBuilder::Chunk("01wb", "ab"));
    tail.movi.push_back(AviBuilder::Chunk("01wb", "cd"));
    mImageAVI& t = Open(tail);
    out.played.clear();
    ASSERT_EQ(1, t.Play(0, 1));
    t.SetAutoAdvance(true);
    t.Draw(0, 0, nullptr);
    t.Draw(0, 0, nullptr);
    EXPECT_EQ("abcd", out.played);
}

TEST_F(mImageAVITest, NumbersFromTheFileCannotStallOrOverflow)
{
    // A frame period of 0 counts as 1 ms.
    AviBuilder b = Movie(2);
    b.usPerFrame = 0;
    EXPECT_EQ(1u, Open(b).frameInfo->framePeriod);

    // A movie of no size, or larger than any screen, has no header.
    for (const auto& [w, h] : {std::pair{0, 2}, {4, 0}, {8193, 2}, {4, 8193}}) {
        AviBuilder sized = Movie(1);
        sized.width = w, sized.height = h;
        Open(sized);
        EXPECT_EQ(0, header) << w << " x " << h;
    }
    AviBuilder largest = Movie(1);
    largest.width = 8192;
    Open(largest);
    EXPECT_EQ(1, header);

    // A main header longer than the one read: the rest of it is passed over.
    std::string longer = Movie(1).File();
    const std::size_t avih = longer.find("avih");
    const auto grow = [&longer](std::size_t at, std::uint32_t by) {
        const std::uint32_t size = mFile::Le32(reinterpret_cast<const std::uint8_t*>(&longer[at]));
        longer.replace(at, 4, AviBuilder::U32(size + by));
    };
    longer.insert(avih + 8 + 56, std::string(8, '\x7F'));
    grow(avih + 4, 8), grow(longer.find("hdrl") - 4, 8), grow(4, 8);
    mImageAVI& tall = Open(longer);
    ASSERT_EQ(1, header);
    EXPECT_EQ(0, tall.Draw(0, 0, nullptr));
    EXPECT_EQ(10, Pixel());

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
    // chunks where they were; the track it wins over lends it no format.
    AviBuilder odd = Movie(1, true);
    odd.streams.push_back(Audio());
    odd.streams[2].priority = 1;
    odd.streams[2].format = "RIFF" + AviBuilder::U32(4) + "WAVE" + std::string(8, '\0');
    mImageAVI& o = Open(odd);
    ASSERT_EQ(1, header);
    EXPECT_EQ(0, o.Draw(0, 0, nullptr));
    EXPECT_EQ(0, o.Play(0, 1)); // and it is no sound
    EXPECT_TRUE(boxes.shown.empty());
}

// The stream header counts blocks of all channels, the player samples.
TEST_F(mImageAVITest, AStereoTrackKeepsItsWholeLength)
{
    AviBuilder b = Movie(1);
    b.streams.push_back(Audio(2, 11025, 16, 11025));
    Open(b);
    EXPECT_EQ(11025u * 4, movie->format->lengthBytes);
    EXPECT_EQ(1000u, movie->format->lengthMs);
}

// Every frame's colours depend on the changes before it, so a movie that
// says its palette changes is never entered at a later key frame; a change
// of count 0 changes all 256 entries. Other movies are.
TEST_F(mImageAVITest, APaletteMovieSeeksThroughItsColourChanges)
{
    AviBuilder b = Movie(15);
    b.flags = 0x10; // AVIF_HASINDEX, as files have it
    b.index = true;
    b.keyFrames = {0, 5, 10, 14};
    b.streamFlags = 0x10000; // AVISF_VIDEO_PALCHANGES
    std::string all = AviBuilder::U16(0) + AviBuilder::U16(0);
    for (int i = 0; i < 256; ++i) all += std::string{char(i), 0x22, 0x33, 0};
    b.movi.insert(b.movi.begin() + 3, AviBuilder::Chunk("00pc", all));
    mImageAVI& m = Open(b);
    m.SeekFrame(14, 0);
    EXPECT_EQ(14, m.Draw(0, 0, nullptr));
    EXPECT_EQ(24, Pixel());
    EXPECT_EQ(0x022233u, m.frameInfo->colours[2]);
    EXPECT_EQ(0xFF2233u, m.frameInfo->colours[255]);

    // Without colour changes a seek starts at the key frame before it.
    b.streamFlags = 0;
    b.movi.erase(b.movi.begin() + 3);
    mImageAVI& plain = Open(b);
    codecs.log.clear();
    plain.SeekFrame(12, 0);
    EXPECT_EQ(12, plain.Draw(0, 0, nullptr));
    EXPECT_EQ((std::vector<int>{20, 21, 22}), codecs.Decoded());
}

// The audio packets of the movie's sound stream as FFmpeg's demuxer reads them.
std::string FfmpegSoundTrack(const std::string& path)
{
    AVFormatContext* format = nullptr;
    std::string track;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return track;
    const int stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    AVPacket* packet = av_packet_alloc();
    while (stream >= 0 && av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == stream) track.append(reinterpret_cast<const char*>(packet->data), std::size_t(packet->size));
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&format);
    return track;
}

// A movie FFmpeg's encoders wrote stores its last sound chunks after its
// last frame: drawn to its end, the movie plays its whole sound track,
// whether the output hands each buffer back at once or one a frame, as a
// device playing in step with the pictures does.
TEST(mImageAVISoundTest, AMovieDrawnToItsEndPlaysItsWholeSoundTrack)
{
    const std::string path = std::string(PAIRLET_TEST_DATA) + "/msvideo1-u8.avi";
    const std::string track = FfmpegSoundTrack(path);
    ASSERT_EQ(3840u, track.size());
    platform::AvVideoCodecs codecs;
    mImageAVI::SetVideoCodecs(&codecs);
    for (bool keepsUp : {true, false}) {
        SCOPED_TRACE(keepsUp ? "buffers back at once" : "a buffer back a frame");
        RecordingWaveOut out;
        out.finishOnWrite = keepsUp;
        mAudioWAV::SetWaveOut(&out);
        {
            mImageAVI movie;
            movie.OpenFile(path.c_str());
            mBitmap target(32, 24, 8);
            movie.SetTarget(&target);
            ASSERT_EQ(1, movie.ReadHeader());
            movie.SetAutoAdvance(true);
            ASSERT_EQ(1, movie.Play(0, 1));
            for (int i = 0; i < movie.rendererInfo->frameCount; ++i) {
                movie.Draw(0, 0, nullptr);
                out.Finish();
            }
            for (int k = 0; k < 100 && movie.streamInfo->playing; ++k) out.Finish();
            EXPECT_EQ(0u, movie.streamInfo->playing) << "the sound ended by itself";
            EXPECT_TRUE(out.played == track) << out.played.size() << " bytes played";
            movie.SetTarget(nullptr);
        }
        mAudioWAV::SetWaveOut(nullptr);
    }
    mImageAVI::SetVideoCodecs(nullptr);
}

} // namespace

// Uncompressed 8-bit movies as FFmpeg writes them, top-down and bottom-up,
// rows padded to four bytes, with colour changes between frames: every
// frame and its colours as FFmpeg's own decoder gives them.
TEST(mImageAVIRawTest, UncompressedFramesAndColoursAsFfmpegDecodesThem)
{
    platform::AvVideoCodecs codecs;
    mImageAVI::SetVideoCodecs(&codecs);
    TempFolder folder;
    for (const bool bottomUp : {false, true}) {
        SCOPED_TRACE(bottomUp ? "bottom-up" : "top-down");
        FfmpegAviSpec spec;
        spec.encoder = "rawvideo";
        spec.pixels = AV_PIX_FMT_PAL8;
        spec.width = 62;
        spec.height = 20;
        spec.frames = 6;
        spec.paletteEvery = 2;
        spec.bottomUp = bottomUp;
        const std::string path = folder / (bottomUp ? "up.avi" : "down.avi");
        ASSERT_TRUE(WriteFfmpegAvi(path, spec));
        const std::vector<ReferenceFrame> expected = FfmpegFlicFrames(path);
        ASSERT_EQ(std::size_t(spec.frames), expected.size());

        mBitmap target(spec.width, spec.height, 8);
        mImageAVI movie;
        movie.OpenFile(path.c_str());
        movie.SetTarget(&target);
        movie.SetAutoAdvance(true);
        ASSERT_TRUE(movie.ReadHeader());
        for (int f = 0; f < spec.frames; ++f) {
            ASSERT_EQ(f, movie.Draw(0, 0, nullptr));
            for (int y = 0; y < spec.height; ++y)
                for (int x = 0; x < spec.width; ++x)
                    ASSERT_EQ(expected[std::size_t(f)].pixels[std::size_t(y * spec.width + x)], target.Row(y)[x])
                        << "frame " << f << " at " << x << "," << y;
            for (int i = 0; i < 256; ++i)
                ASSERT_EQ(expected[std::size_t(f)].palette[std::size_t(i)], movie.frameInfo->colours[i])
                    << "frame " << f << " colour " << i;
        }
        movie.SetTarget(nullptr);
        movie.CloseFile();
    }
    mImageAVI::SetVideoCodecs(nullptr);
}

// True-colour movies of each kind of pixel the decoders give (24 bits
// either way round, 32 bits, 15 bits): every pixel of the frame bitmap is
// the conversion table's entry for FFmpeg's own decode of that pixel, the
// top four bits of its red, green and blue. Rows wider than the converter's
// pieces too.
TEST(mImageAVIRawTest, TrueColourFramesAreFfmpegsPixelsThroughTheConversionTable)
{
    platform::AvVideoCodecs codecs;
    mImageAVI::SetVideoCodecs(&codecs);
    TempFolder folder;
    struct Case {
        const char* encoder;
        AVPixelFormat pixels;
        int width, height;
    };
    for (const Case& c : {Case{"cinepak", AV_PIX_FMT_RGB24, 36, 20}, Case{"msvideo1", AV_PIX_FMT_RGB555LE, 36, 20},
                          Case{"rawvideo", AV_PIX_FMT_BGR24, 600, 6}, Case{"rawvideo", AV_PIX_FMT_BGRA, 600, 6}}) {
        SCOPED_TRACE(std::string(c.encoder) + " " + av_get_pix_fmt_name(c.pixels));
        FfmpegAviSpec spec;
        spec.encoder = c.encoder;
        spec.pixels = c.pixels;
        spec.width = c.width;
        spec.height = c.height;
        spec.frames = 4;
        spec.keyEvery = 2;
        const std::string path = folder / (std::string(c.encoder) + av_get_pix_fmt_name(c.pixels) + ".avi");
        ASSERT_TRUE(WriteFfmpegAvi(path, spec));
        std::vector<std::vector<std::uint8_t>> rgb;
        FfmpegDecodeFlic(path, [&](const AVFrame& f) {
            SwsContext* toRgb = sws_getContext(f.width, f.height, AVPixelFormat(f.format), f.width, f.height,
                                               AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr, nullptr);
            rgb.emplace_back(std::size_t(f.width) * std::size_t(f.height) * 3);
            std::uint8_t* planes[4] = {rgb.back().data(), nullptr, nullptr, nullptr};
            const int strides[4] = {f.width * 3, 0, 0, 0};
            sws_scale(toRgb, f.data, f.linesize, 0, f.height, planes, strides);
            sws_freeContext(toRgb);
        });
        ASSERT_EQ(std::size_t(spec.frames), rgb.size());

        mBitmap target(1, 1, 8);
        mImageAVI movie;
        movie.OpenFile(path.c_str());
        movie.SetTarget(&target);
        movie.SetAutoAdvance(true);
        ASSERT_TRUE(movie.ReadHeader());
        const std::vector<std::uint8_t> table = mRenderer::ConversionTable(movie.frameBitmap);
        for (int f = 0; f < spec.frames; ++f) {
            ASSERT_EQ(f, movie.Draw(0, 0, nullptr));
            for (int y = 0; y < spec.height; ++y)
                for (int x = 0; x < spec.width; ++x) {
                    const std::uint8_t* p = &rgb[std::size_t(f)][(std::size_t(y) * std::size_t(spec.width) + std::size_t(x)) * 3];
                    ASSERT_EQ(table[std::size_t((p[0] >> 4) << 8 | (p[1] >> 4) << 4 | p[2] >> 4)], movie.frameBitmap.Row(y)[x])
                        << "frame " << f << " at " << x << "," << y;
                }
        }
        movie.SetTarget(nullptr);
        movie.CloseFile();
    }
    mImageAVI::SetVideoCodecs(nullptr);
}
