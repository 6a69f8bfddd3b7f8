// The animations the content tools make, read back by the engine as the game
// reads them.
#include "AnimationMaker.h"

#include "DecodedFlic.h"
#include "resources/AboutAnimation.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A picture with black inside it: the black must not become see-through.
QImage PictureWithBlack()
{
    QImage picture(100, 100, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(10, 10, 80, 80, QColor(230, 200, 40));
    painter.fillRect(40, 40, 20, 20, Qt::black);
    return picture;
}

} // namespace

TEST(AnimationMakerTest, EveryStyleDecodesWithAClearGroundAndNoFlashes)
{
    for (int style = 0; style < AnimationMaker::StyleCount; ++style) {
        SCOPED_TRACE(style);
        const QList<QImage> frames = AnimationMaker::Frames(PictureWithBlack(), AnimationMaker::Style(style));
        const std::string flc = AnimationMaker::Flc(frames, AnimationMaker::PeriodMs);
        const Decoded d = Decode(flc.data(), flc.size());
        ASSERT_EQ(d.frames, AnimationMaker::FrameCount);
        EXPECT_EQ(d.width, 320);
        EXPECT_EQ(d.height, 240);
        EXPECT_EQ(d.period, AnimationMaker::PeriodMs);
        ExpectClearCorners(d);
        int moving = 0;
        for (int f = 0; f < d.frames; ++f) {
            const auto& px = d.pixels[std::size_t(f)];
            // Index 0 only where the frame is see-through.
            const QImage source = frames[f].convertToFormat(QImage::Format_ARGB32);
            int holes = 0;
            for (int y = 0; y < d.height; ++y)
                for (int x = 0; x < d.width; ++x)
                    holes += qAlpha(source.pixel(x, y)) == 255 && px[std::size_t(y * d.width + x)] == 0;
            EXPECT_EQ(holes, 0) << "frame " << f;
            // Brightness changes gently from frame to frame, and back to the start.
            const auto& next = d.pixels[std::size_t((f + 1) % d.frames)];
            const double change = std::abs(MeanLight(px, d.colours[std::size_t(f)]) -
                                           MeanLight(next, d.colours[std::size_t((f + 1) % d.frames)]));
            EXPECT_LT(change, 8.0) << "frame " << f;
            moving += px != next;
        }
        EXPECT_EQ(moving, d.frames) << "every frame moves on";
    }
}

TEST(AnimationMakerTest, TheAboutStripIsPartOfTheProgram)
{
    const Decoded d = Decode(AboutAnimationData, AboutAnimationDataSize);
    ASSERT_EQ(d.frames, 30);
    EXPECT_EQ(d.width, 200);
    EXPECT_EQ(d.height, 75);
    EXPECT_EQ(d.period, 30);
    ExpectClearCorners(d);
    // The name stands in the middle of every frame.
    for (const auto& px : d.pixels) {
        const int inked = int(std::count_if(px.begin() + 30 * 200, px.begin() + 45 * 200, [](std::uint8_t p) { return p != 0; }));
        EXPECT_GT(inked, 200);
    }
}
