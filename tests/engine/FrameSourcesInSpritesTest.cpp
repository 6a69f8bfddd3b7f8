// Every kind of frame source shown through a sprite on a director's stage,
// as the media tool and a scene show them: the window shows what the
// source draws alone, in the source's colours, and nothing is reported.
#include "engine/core/mDirector.h"
#include "engine/core/mSolidElement.h"
#include "engine/media/mImageAVI.h"
#include "engine/sprites/mSpriteImage.h"

#include "AviBuilder.h"
#include "MagickPictures.h"
#include "Recomposition.h"
#include "doubles/FakeClock.h"
#include "doubles/FakeVideoCodecs.h"
#include "platform/AvVideoCodecs.h"
#include "platform/RgbSurface.h"

#include <memory>

namespace {

constexpr int StageW = 64, StageH = 48;

class FrameSourcesInSprites : public MagickPictureTest {
protected:
    std::string Magick(const std::string& name, const std::string& options)
    {
        const std::string path = folder / name;
        Run("convert '" + Picture("s", 40, 24, int(name.size())) + "' " + options + "'" + path + "'");
        return path;
    }
    // The source opened and its header read, as its owner does before it
    // hands it to a sprite.
    static std::unique_ptr<mRenderer> Open(const std::string& path)
    {
        std::unique_ptr<mRenderer> source = mRenderer::ForFileName(path);
        EXPECT_TRUE(source && source->OpenFile(path.c_str()) && source->ReadHeader()) << path;
        return source;
    }
    // Frame n drawn alone at (0, 0) on a stage of the background's index, as RGB.
    static std::vector<std::uint32_t> Alone(const std::string& path, int n, int background)
    {
        std::unique_ptr<mRenderer> source = Open(path);
        mBitmap stage(StageW, -StageH, 8);
        const mRect all{0, 0, StageW, StageH};
        stage.FillRects(background, &all, 1);
        source->SetTarget(&stage);
        if (n > 0) source->SeekFrame(n, 0);
        source->Draw(0, 0, nullptr);
        source->SetTarget(nullptr);
        std::vector<std::uint32_t> rgb;
        for (int y = 0; y < StageH; ++y)
            for (int x = 0; x < StageW; ++x) rgb.push_back(0xFF000000u | source->frameInfo->colours[stage.Row(y)[x]]);
        source->CloseFile();
        return rgb;
    }
};

TEST_F(FrameSourcesInSprites, EverySourceShowsAsItDrawsAlone)
{
    platform::AvVideoCodecs codecs;
    mImageAVI::SetVideoCodecs(&codecs);
    std::string gifs;
    for (int p = 0; p < 2; ++p) {
        gifs += " '" + folder / ("p" + std::to_string(p) + ".gif") + "'";
        Run("convert '" + Picture("p", 30 + 9 * p, 20, p) + "' -colors 60" + gifs.substr(gifs.rfind(' ')));
    }
    Run("convert" + gifs + " '" + folder / "pages.dcx" + "'");
    const std::vector<std::pair<std::string, int>> sources = {
        {Magick("s.pcx", "-colors 100 "), 1},
        {folder / "pages.dcx", 1},
        {Magick("s8.bmp", "-colors 100 -compress None BMP3:"), 1},
        {Magick("rle.bmp", "-colors 100 -compress RLE BMP3:"), 1},
        {Magick("s4.bmp", "-colors 16 -compress None BMP3:"), 1},
        {std::string(PAIRLET_TEST_DATA) + "/msvideo1-u8.avi", 12},
    };
    for (const auto& [path, frames] : sources) {
        SCOPED_TRACE(path);
        FakeClock clock;
        platform::RgbSurface window(StageW, StageH);
        mDirector director(window, StageW, StageH, clock, 400);
        director.background->SetColor(0);
        std::unique_ptr<mRenderer> source = Open(path);
        // With nothing to draw into nothing is drawn; a still picture says why.
        EXPECT_EQ(-1, source->Draw(0, 0, nullptr));
        const bool still = frames == 1;
        EXPECT_EQ(still ? std::vector<std::string>{"Bitmap error"} : std::vector<std::string>{}, boxes.Texts());
        boxes.shown.clear();
        mRenderer* shown = source.release();
        {
            mSpriteImage sprite;
            sprite.SetImage(shown);
            sprite.MoveTo(0, 0, 0);
            director.AddElement(&sprite);
            for (int tick = 0; tick < frames; ++tick) {
                if (tick > 0) clock.ms += shown->frameInfo->framePeriod;
                director.Tick();
                ASSERT_EQ(std::uint32_t(tick), sprite.frame);
                ASSERT_TRUE(Shown(window) == Alone(path, tick, director.background->colourIndex)) << "frame " << tick;
            }
            // Moved in place, a still picture repaints all of itself.
            sprite.MoveTo(3, 0, 0);
            director.Tick();
            sprite.MoveBy(0, 0, 0);
            const mRect whole{0, 0, (3 + shown->frameInfo->width + 3) & ~3, shown->frameInfo->height};
            EXPECT_TRUE(frames > 1 || director.DirtyRects() == std::vector<mRect>{whole});
            director.RemoveElement(&sprite);
            shown->CloseFile();
        }
    }
    EXPECT_EQ(std::vector<std::string>(), boxes.Texts());
    mImageAVI::SetVideoCodecs(nullptr);
}

// A movie's colour change reaches the window in the tick that shows the
// frame it belongs to, not one tick later.
TEST_F(FrameSourcesInSprites, AMoviesNewColoursShowWithTheirFrame)
{
    FakeVideoCodecs codecs;
    for (std::uint32_t i = 0; i < 256; ++i) codecs.palette[i] = 0x000100u * i | 0x10;
    mImageAVI::SetVideoCodecs(&codecs);
    AviBuilder b;
    // The movie starts in the colours of its format, and starts in them again when it loops.
    b.streams = {{"vids", "DIB ", 0, 0, 0, AviBuilder::BitmapFormat(8, 6, 8, std::string(4, '\0'), codecs.palette)}};
    b.totalFrames = 6;
    for (int i = 0; i < 6; ++i) b.movi.push_back(AviBuilder::Frame(10 + i));
    std::string all = AviBuilder::U16(0) + AviBuilder::U16(0);
    for (int i = 0; i < 256; ++i) all += std::string{char(i), 0x22, 0x33, 0};
    b.movi.insert(b.movi.begin() + 3, AviBuilder::Chunk("00pc", all));
    const std::string path = folder.Write("colours.avi", b.File());

    FakeClock clock;
    platform::RgbSurface window(StageW, StageH);
    mDirector director(window, StageW, StageH, clock, 400);
    auto* movie = new mImageAVI;
    movie->OpenFile(path.c_str());
    mSpriteImage sprite;
    sprite.SetImage(movie);
    director.AddElement(&sprite);
    for (int tick = 0; tick < 9; ++tick) {
        clock.ms += 40;
        director.Tick();
        const std::uint32_t index = 10 + sprite.frame;
        const std::uint32_t expected = sprite.frame < 3 ? 0x000100u * index | 0x10 : index << 16 | 0x2233;
        EXPECT_EQ(0xFF000000u | expected, window.Data()[0]) << "frame " << sprite.frame;
    }
    director.RemoveElement(&sprite);
    movie->CloseFile();
    mImageAVI::SetVideoCodecs(nullptr);
}

} // namespace
