#include "engine/core/mImageFlic.h"
#include "engine/sprites/mRenderer.h"

#include "FlicEncoder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

namespace {

struct Stream : mImage {};

TEST(mImageTest, TimeConversionsForPicturesAndForSound)
{
    Stream s;
    EXPECT_EQ(1u, s.TimeToUnits(1, 0, 0));
    EXPECT_EQ(0u, s.TimeToUnits(0, 0, 0));
    EXPECT_EQ(3000u, s.UnitsToTime(3));
    EXPECT_EQ(3u, s.UnitsToBytes(3));
    EXPECT_EQ(3u, s.BytesToUnits(3));
    *s.format = {22050, 16, 2, 0, 0, 0};
    EXPECT_EQ(44100u, s.TimeToUnits(1000, 0, 0));
    EXPECT_EQ(88200u, s.UnitsToBytes(44100));
    EXPECT_EQ(2u, s.BytesToUnits(3));
    EXPECT_EQ(1000u, s.UnitsToTime(44100));
    EXPECT_EQ(88200u, s.ToBytes(1000));
    s.SetTimeFormat(2);
    EXPECT_EQ(1234u, s.ToBytes(1234));
    EXPECT_EQ(1234u, s.FromBytes(1234));
    s.SetTimeFormat(mImage::TimeUnits);
    EXPECT_EQ(6u, s.ToBytes(3));

    s.streamInfo->itemCount = 5;
    EXPECT_EQ(-1, s.SetPosition(5));
    EXPECT_EQ(-1, s.SetPosition(-1));
    EXPECT_EQ(4, s.SetPosition(4));
    EXPECT_EQ(0, s.Play(0, 0));
    EXPECT_EQ(1, s.Write(nullptr, 0));
}

TEST(mRendererTest, ChoosesTheSourceByTheFirstDotOfTheFilesOwnName)
{
    EngineReports boxes;
    for (const char* name : {"anim.flc", "ANIM.FLI", "my.folder/anim.flc", "../anim/cat.flc", "./cat.flc",
                             "C:\\my.pictures\\cat.FLC", "cat.flc.bak"})
        EXPECT_NE(nullptr, dynamic_cast<mImageFlic*>(mRenderer::ForFileName(name).get())) << name;
    EXPECT_EQ(nullptr, mRenderer::ForFileName("noextension"));
    EXPECT_EQ(nullptr, mRenderer::ForFileName("my.folder/noextension"));
    EXPECT_EQ(nullptr, mRenderer::ForFileName("cat.folder.flc"));
    ASSERT_EQ(3u, boxes.shown.size());
    EXPECT_EQ("mImageBitmap", boxes.shown[0].caption);
    EXPECT_EQ("File type error:", boxes.shown[0].text) << "the empty extension is the detail";
    EXPECT_EQ("File type error:", boxes.shown[1].text);
    EXPECT_EQ("File type error:FOL", boxes.shown[2].text);
}

TEST(mRendererTest, MakeBitmapCopiesTheCurrentFrameAndKeepsTheTarget)
{
    FlicEncoder encoder(5, 3, 20);
    FlicEncoder::Palette palette{};
    palette[4] = 0x112233;
    std::vector<std::uint8_t> pixels(15, 2);
    pixels[0] = 4;
    encoder.AddFrame(pixels, palette);
    const std::string file = encoder.Finish();
    mImageFlic flic;
    flic.OpenMemory(file.data(), long(file.size()));
    mBitmap stage(10, 10, 8);
    flic.SetTarget(&stage);
    EXPECT_EQ(1, stage.useCount);

    std::unique_ptr<mBitmap> copy(flic.MakeBitmap(false));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(5, copy->desc.width);
    EXPECT_EQ(8, copy->desc.bitCount);
    EXPECT_EQ(4, copy->Row(0)[0]);
    EXPECT_EQ(2, copy->Row(2)[4]);
    EXPECT_EQ(0x112233u, copy->desc.colours[4]);
    EXPECT_EQ(4u, copy->desc.transparent & 0xFF) << "its top-left pixel is its transparent colour";
    EXPECT_NE(0u, copy->desc.drawFlags & mBitmap::DrawTransparent);
    EXPECT_EQ(0, copy->useCount);
    EXPECT_EQ(&stage, flic.target);
    EXPECT_EQ(1, stage.useCount);
    flic.SetTarget(nullptr);
    EXPECT_EQ(0, stage.useCount);
}

// A source whose frame has a given depth and planes, to drive ConvertLine.
struct LineSource : mImageFlic {
    LineSource(int depth, int planes)
    {
        frameInfo->depth = depth;
        frameInfo->planes = planes;
    }
};

TEST(mRendererTest, ConvertLineForEveryDepth)
{
    mBitmap target(4, 1, 8);
    std::uint32_t colours[256] = {};
    colours[1] = 0xF00000; // red
    colours[2] = 0x00F000; // green
    colours[3] = 0x0000F0; // blue
    target.SetColors(colours, 0, 256);
    std::uint8_t out[8] = {};

    LineSource planar(1, 4);
    const std::uint8_t planes[4] = {0b10100000, 0b01100000, 0b00000000, 0b10000000};
    planar.ConvertLine(planes, out, 3, 1);
    EXPECT_EQ((std::vector<int>{9, 2, 3}), std::vector<int>(out, out + 3));

    LineSource packed(4, 1);
    const std::uint8_t nibbles[2] = {0x12, 0x34};
    std::fill(out, out + 8, 0xEE);
    packed.ConvertLine(nibbles, out, 3, 0);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 0xEE}), std::vector<int>(out, out + 4));

    LineSource bytes(8, 1);
    const std::uint8_t plain[3] = {7, 8, 9};
    bytes.ConvertLine(plain, out, 3, 0);
    EXPECT_EQ((std::vector<int>{7, 8, 9}), std::vector<int>(out, out + 3));

    for (auto [depth, planeCount] : {std::pair{8, 3}, {16, 1}, {24, 1}}) {
        LineSource rgb(depth, planeCount);
        rgb.SetTarget(&target);
        rgb.BuildConversion();
        // Red, green, blue, in each layout.
        const std::uint8_t threePlanes[9] = {0xF0, 0, 0, 0, 0xF0, 0, 0, 0, 0xF0};
        const std::uint8_t fiveFive[6] = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00};
        const std::uint8_t triples[9] = {0, 0, 0xF0, 0, 0xF0, 0, 0xF0, 0, 0}; // blue, green, red each
        const std::uint8_t* line = depth == 8 ? threePlanes : depth == 16 ? fiveFive : triples;
        rgb.ConvertLine(line, out, 3, 3);
        EXPECT_EQ((std::vector<int>{1, 2, 3}), std::vector<int>(out, out + 3)) << depth;
        rgb.SetTarget(nullptr);
    }
    EXPECT_EQ(0, target.useCount);
}

} // namespace
