// Sprite descriptions: frames cut from a BMP picture, what each key does to
// the frames added after it, and how the frames ring and draw.
#include "engine/sprites/mImageBitmap.h"

#include "BmpBuilder.h"
#include "FlicEncoder.h"
#include "TempFolder.h"
#include "doubles/EngineReports.h"
#include "doubles/FakeClock.h"
#include "engine/core/mDirector.h"
#include "engine/core/mFile.h"
#include "engine/sprites/mSpriteImage.h"
#include "platform/RgbSurface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// 64 × 32, in 16 × 16 squares numbered 1 … 8 row by row: every pixel's
// index is its square's number.
std::string Squares()
{
    BmpBuilder b;
    b.width = 64;
    b.height = 32;
    b.colors.assign(256, 0);
    for (std::uint32_t i = 0; i < 256; ++i) b.colors[i] = i * 0x010203u;
    for (int r = 31; r >= 0; --r)
        for (int x = 0; x < 64; ++x) b.pixels.push_back(std::uint8_t(1 + x / 16 + 4 * (r / 16)));
    b.bitsOffset = 14 + 40 + 1024;
    return b.Bytes();
}

struct Cut {
    mRect cut;
    std::uint32_t time;
    int colour; // the top-left pixel of the cut
    bool operator==(const Cut& o) const { return cut == o.cut && time == o.time && colour == o.colour; }
};

std::ostream& operator<<(std::ostream& out, const Cut& c)
{
    return out << "(" << c.cut.left << "," << c.cut.top << "," << c.cut.right << "," << c.cut.bottom << ") "
               << c.time << " ms, colour " << c.colour;
}

class mImageBitmapTest : public ::testing::Test {
public:
    void SetUp() override
    {
        folder.Write("squares.bmp", Squares());
    }

    // Reads the description from a file in the folder; the frames it gave.
    std::vector<Cut> Read(const std::string& text, mImageBitmap& into)
    {
        mFile file;
        file.OpenFile(folder.Write("scene.txt", text).c_str());
        into.ReadDescription(file);
        file.CloseFile();
        std::vector<Cut> cuts;
        for (const auto& f : into.Frames())
            cuts.push_back({f.cut, f.time, f.picture->Row(f.cut.top)[f.cut.left]});
        return cuts;
    }
    std::vector<Cut> Read(const std::string& text)
    {
        mImageBitmap image;
        return Read(text, image);
    }

    EngineReports boxes;
    TempFolder folder;
};

TEST_F(mImageBitmapTest, RectanglesAreClippedOrRefused)
{
    boxes.shown.clear();
    EXPECT_EQ(std::vector<Cut>({{{0, 0, 8, 8}, 0, 1}, {{60, 28, 64, 32}, 0, 8}}),
              Read("\xEF\xBB\xBF// RECT 0,0,16,16 left out\nFILE squares.bmp\nRECT 10,10,5,20\nRECT -5,-5,8,8\n"
                   "RECT 60,28,99,99\nRECT 1,2\n"));
    // A byte-order mark and a comment line are passed over; RECT 1,2 reads
    // as (1, 2, 0, 0): empty.
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("Bad rectangle", boxes.shown[0].text);
    EXPECT_EQ("Bad rectangle", boxes.shown[1].text);
    // DELTA and ORIGIN go with the frames after them; a changed rectangle
    // is clipped to the frame, and one left empty refuses the frame.
    mImageBitmap image;
    Read("FILE squares.bmp\nORIGIN 3,-4\nDELTA 2,2,100,100\nRECT 16,0,32,16\nDELTA 20,20,30,30\nRECT 0,0,8,8\n", image);
    ASSERT_EQ(1u, image.Frames().size());
    EXPECT_EQ((mRect{2, 2, 16, 16}), image.Frames()[0].changed);
    EXPECT_EQ(3, image.Frames()[0].originX);
    EXPECT_EQ(-4, image.Frames()[0].originY);
    // A refused frame of a file of three: the other two come whole, and the
    // refused one's picture is let go (the sanitizer build sees a leak).
    FlicEncoder encoder(8, 6, 50);
    for (int f = 0; f < 3; ++f) encoder.AddFrame(std::vector<std::uint8_t>(48, std::uint8_t(f + 1)), FlicEncoder::Palette{});
    folder.Write("three.flc", encoder.Finish());
    boxes.shown.clear();
    EXPECT_EQ(std::vector<Cut>({{{0, 0, 8, 6}, 50, 2}, {{0, 0, 8, 6}, 50, 3}}), Read("DELTA 20,20,30,30\nFILE three.flc\nDELTA 20,20,30,30\n"));
    EXPECT_EQ(std::vector<std::string>{"Bad rectangle"}, boxes.Texts());
    // A file of no kind the engine reads is told by its extension, and a
    // rectangle with no picture to cut ends the description.
    boxes.shown.clear();
    EXPECT_TRUE(Read("FILE notes.txt\nRECT 0,0,8,8\nFILE squares.bmp\nRECT 0,0,8,8\n").empty());
    EXPECT_EQ((std::vector<std::string>{"File type error:TXT", "File type error:RECT"}), boxes.Texts());
    EXPECT_EQ("mImageBitmap", boxes.shown.at(0).caption);
    // What an operand too long to read leaves on its line is no keyword.
    const std::vector<Cut> cuts = Read("FILE squares.bmp\nTIME 7" + std::string(90, '0') + " RECT 0,0,8,8\nRECT 8,8,16,16\n");
    ASSERT_EQ(1u, cuts.size());
    EXPECT_EQ((mRect{8, 8, 16, 16}), cuts[0].cut);
}

TEST_F(mImageBitmapTest, FramesRingAndDrawTheirCut)
{
    mImageBitmap image;
    Read("FILE squares.bmp\nORIGIN 2,1\nTILE 16,16\n", image);
    EXPECT_EQ(8, image.rendererInfo->frameCount);
    EXPECT_EQ(16, image.rendererInfo->width);
    EXPECT_EQ(7, image.SeekFrame(-1, 0));
    EXPECT_EQ(1, image.SeekFrame(2, 1));
    EXPECT_EQ(6, image.SeekFrame(2, 2));
    EXPECT_EQ(2, image.frameInfo->originX);
    EXPECT_EQ(16, image.frameInfo->width);
    EXPECT_EQ(8, image.frameInfo->depth);

    mBitmap target(40, 20, 8);
    image.SetTarget(&target);
    const mRect clip{0, 0, 30, 20};
    EXPECT_EQ(6, image.Draw(20, 4, &clip));
    EXPECT_EQ(7, target.Row(4)[20]);
    EXPECT_EQ(7, target.Row(19)[29]);
    EXPECT_EQ(0, target.Row(4)[30]); // outside the clip
    EXPECT_EQ(0, target.Row(3)[20]);
    // See-through switched on and off after the pictures are read.
    const mRect whole{0, 0, 40, 20};
    image.SetTransparentColor(7);
    for (bool seeThrough : {true, false}) {
        target.FillRects(9, &whole, 1);
        image.SetTransparent(seeThrough);
        image.Draw(20, 4, &clip);
        EXPECT_EQ(seeThrough ? 9 : 7, target.Row(4)[20]) << "see-through " << seeThrough;
    }
    image.SetTarget(nullptr);
}

// Switched to its own colours, a described sprite gives them to the stage.
TEST_F(mImageBitmapTest, WithItsOwnColoursItRecoloursTheStage)
{
    auto* image = new mImageBitmap();
    image->SetRemap(true);
    Read("FILE squares.bmp\nTILE 16,16\n", *image);
    image->SetRemap(false);
    FakeClock clock;
    platform::RgbSurface window(64, 32);
    mDirector director(window, 64, 32, clock, 50);
    mSpriteImage sprite;
    sprite.SetImage(image);
    director.AddElement(&sprite);
    EXPECT_EQ(director.desc.colours[3], 3 * 0x010203u);
    director.RemoveElement(&sprite);
}

// TILE 1,1 over a picture of 20 000 pixels stops at the frame limit with
// one report instead of taking all the memory there is.
TEST_F(mImageBitmapTest, FramesStopAtTheLimitWithOneReport)
{
    BmpBuilder big = BmpBuilder::Solid(200, 100, 8, 0x102030);
    folder.Write("big.bmp", big.Bytes());
    mImageBitmap image;
    Read("FILE big.bmp\nTILE 1,1\nRECT 0,0,4,4\n", image);
    EXPECT_EQ(int(mImageBitmap::MaxFrames), image.rendererInfo->frameCount);
    EXPECT_EQ((std::vector<std::string>{"Out of memory", "Out of memory"}), boxes.Texts()) << "TILE once, RECT once";
}

} // namespace
