// AVI movies written by FFmpeg's encoders and muxer, played by the engine
// and compared with what FFmpeg's demuxer and decoders make of them: every
// frame, every colour, every sound byte that reaches the wave player.
#include "engine/media/mImageAVI.h"

#include "FfmpegAvi.h"
#include "TempFolder.h"
#include "doubles/RecordingWaveOut.h"
#include "doubles/EngineReports.h"
#include "platform/AvVideoCodecs.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    FfmpegAviSpec spec;
};

std::ostream& operator<<(std::ostream& out, const Case& c)
{
    return out << c.name;
}

FfmpegAviSpec Spec(const char* encoder, AVPixelFormat pixels, AVCodecID sound = AV_CODEC_ID_NONE, int rate = 11025,
                   int channels = 1)
{
    FfmpegAviSpec s;
    s.encoder = encoder;
    s.pixels = pixels;
    s.sound = sound;
    s.rate = rate;
    s.channels = channels;
    return s;
}

// The conversion of a true-colour pixel: its colour cut to 4 bits a
// component, then the nearest colour of the table by squared distance,
// the lower index on ties, the first closer than 2 at once.
int ReferenceIndex(const std::uint32_t* colours, int blue, int green, int red)
{
    const int b = blue >> 4 << 4, g = green >> 4 << 4, r = red >> 4 << 4;
    int best = 0, bestDistance = 1 << 30;
    for (int i = 0; i < 256 && bestDistance >= 2; ++i) {
        const std::uint32_t c = colours[i];
        const int db = int(c & 0xFF) - b, dg = int(c >> 8 & 0xFF) - g, dr = int(c >> 16 & 0xFF) - r;
        const int distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance) best = i, bestDistance = distance;
    }
    return best;
}

class AviDifferentialTest : public ::testing::TestWithParam<Case> {
public:
    void SetUp() override
    {
        av_log_set_level(AV_LOG_QUIET);
        mImageAVI::SetVideoCodecs(&codecs);
        mAudioWAV::SetWaveOut(&out);
        out.finishOnWrite = true; // a device that always keeps up
    }
    void TearDown() override
    {
        mImageAVI::SetVideoCodecs(nullptr);
        mAudioWAV::SetWaveOut(nullptr);
    }

    static void ExpectSameFrame(const mImageAVI& movie, const FfmpegAviFrame& reference, int n)
    {
        const BitmapDesc& d = movie.frameBitmap.desc;
        ASSERT_EQ(reference.width, d.width);
        ASSERT_EQ(reference.height, d.height);
        int wrong = 0;
        for (int y = 0; y < d.height; ++y)
            for (int x = 0; x < d.width; ++x) {
                const std::size_t at = std::size_t(y * d.width + x);
                const std::uint8_t* p = &reference.pixels[at * 3];
                const int expected = reference.indexed ? reference.pixels[at] : ReferenceIndex(d.colours, p[0], p[1], p[2]);
                wrong += movie.frameBitmap.Row(y)[x] != expected;
            }
        EXPECT_EQ(0, wrong) << "pixels differ in frame " << n;
        if (reference.indexed) {
            EXPECT_TRUE(std::equal(reference.colours.begin(), reference.colours.end(), d.colours)) << "colours of frame " << n;
        }
    }

    platform::AvVideoCodecs codecs;
    RecordingWaveOut out;
    EngineReports boxes;
    TempFolder folder;
};

TEST_P(AviDifferentialTest, EveryFrameAndSoundByteAsFfmpegDecodesThem)
{
    const FfmpegAviSpec& spec = GetParam().spec;
    const std::string path = folder / (std::string(GetParam().name) + ".avi");
    ASSERT_TRUE(WriteFfmpegAvi(path, spec));
    FfmpegAviContents reference;
    ASSERT_TRUE(ReadFfmpegAvi(path, reference));
    ASSERT_EQ(std::size_t(spec.frames), reference.frames.size());

    mBitmap target(spec.width, spec.height, 8); // outlives the movie that draws into it
    mImageAVI movie;
    ASSERT_TRUE(movie.OpenFile(path.c_str()));
    movie.SetTarget(&target);
    ASSERT_EQ(1, movie.ReadHeader());
    ASSERT_EQ(spec.frames, movie.rendererInfo->frameCount);
    EXPECT_EQ(1000u / unsigned(spec.fps), movie.frameInfo->framePeriod);
    const bool withSound = spec.sound != AV_CODEC_ID_NONE;
    EXPECT_EQ(withSound ? 1 : 0, movie.Play(0, 1));

    movie.SetAutoAdvance(true);
    for (int i = 0; i < spec.frames; ++i) {
        ASSERT_EQ(i, movie.Draw(0, 0, nullptr));
        ExpectSameFrame(movie, reference.frames[std::size_t(i)], i);
    }
    if (withSound) {
        EXPECT_GT(reference.soundBeforeLastFrame, reference.sound.size() / 2);
        EXPECT_TRUE(reference.sound.substr(0, reference.soundBeforeLastFrame) == out.played)
            << out.played.size() << " bytes played, " << reference.soundBeforeLastFrame << " expected";
    }

    // Jumps back and forth, long ones through the index.
    movie.SetAutoAdvance(false);
    for (const int n : {spec.frames - 2, 3, 25, 11, 0, 14}) {
        movie.SeekFrame(n, 0);
        ASSERT_EQ(n, movie.Draw(0, 0, nullptr));
        ExpectSameFrame(movie, reference.frames[std::size_t(n)], n);
    }
    movie.Stop();
    movie.CloseFile();
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Encoders, AviDifferentialTest,
    ::testing::Values(Case{"msvideo1_u8", Spec("msvideo1", AV_PIX_FMT_RGB555LE, AV_CODEC_ID_PCM_U8)},
                      Case{"cinepak_s16_stereo", Spec("cinepak", AV_PIX_FMT_RGB24, AV_CODEC_ID_PCM_S16LE, 22050, 2)},
                      Case{"pal8_palette_changes",
                           [] {
                               FfmpegAviSpec s = Spec("rawvideo", AV_PIX_FMT_PAL8, AV_CODEC_ID_PCM_S16LE, 8000);
                               s.paletteEvery = 7;
                               return s;
                           }()},
                      Case{"bgr24_bottom_up",
                           [] {
                               FfmpegAviSpec s = Spec("rawvideo", AV_PIX_FMT_BGR24);
                               s.bottomUp = true;
                               return s;
                           }()},
                      Case{"rgb555", Spec("rawvideo", AV_PIX_FMT_RGB555LE, AV_CODEC_ID_PCM_U8, 22050, 2)}),
    [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

} // namespace
