// FLIC behaviour the encoder does not produce: FLI files with COLOR_64 and
// DELTA_FLI, BLACK, FLI_COPY, PSTAMP and unknown chunks, built byte by byte;
// and the source's rules around them.
#include "engine/core/mImageFlic.h"

#include "doubles/EngineReports.h"

#include <gtest/gtest.h>


namespace {

constexpr int W = 8, H = 4;

void Put16(std::string& s, unsigned v)
{
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8 & 0xFF));
}
void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

std::string Chunk(std::uint16_t type, const std::string& body, long declared = -1)
{
    std::string c;
    Put32(c, std::uint32_t(declared >= 0 ? declared : long(body.size()) + 6));
    Put16(c, type);
    return c + body;
}

std::string Frame(int chunks, const std::string& body, unsigned magic = 0xF1FA)
{
    std::string f;
    Put32(f, std::uint32_t(body.size() + 16));
    Put16(f, magic);
    Put16(f, unsigned(chunks));
    f.append(8, '\0');
    return f + body;
}

std::string Header(unsigned magic, int frames, std::uint32_t speed)
{
    std::string h;
    Put32(h, 0);
    Put16(h, magic);
    Put16(h, unsigned(frames));
    Put16(h, W);
    Put16(h, H);
    Put16(h, 8);
    Put16(h, 0);
    Put32(h, speed);
    h.resize(128, '\0');
    return h;
}

std::string Colour64()
{
    std::string b;
    Put16(b, 1);
    b.push_back(2); // skip to entry 2
    b.push_back(2); // two entries
    b += std::string("\x3F\x00\x01", 3) + std::string("\x00\x3F\x02", 3);
    return b;
}

// Line 1: three literal bytes at column 2; line 2: four fives from column 0.
std::string DeltaFli()
{
    std::string b;
    Put16(b, 1);
    Put16(b, 2);
    b += std::string("\x01\x02\x03\x07\x08\x09", 6);
    b += std::string("\x01\x00\xFC\x05", 4);
    return b;
}

std::string FliFile()
{
    std::string f = Header(0xAF11, 4, 5);
    // Frame 0: colours, a BLACK chunk that claims 20 bytes, and straight
    // after its 6 bytes a delta, which is read as the next chunk.
    f += Frame(3, Chunk(11, Colour64()) + Chunk(13, "", 20) + Chunk(12, DeltaFli()));
    // Frame 1: a full literal frame, a stamp and an unknown chunk.
    std::string literal;
    for (int i = 0; i < W * H; ++i) literal.push_back(char(40 + i));
    f += Frame(3, Chunk(16, literal) + Chunk(18, "stamp") + Chunk(99, "??"));
    f += Frame(0, ""); // frame 2: nothing changes
    f += Frame(1, Chunk(13, "")); // frame 3: black again
    return f;
}

class mImageFlicTest : public ::testing::Test {
protected:
    // The file read from memory and its first frame drawn into the target.
    static void ShowFirstFrame(mImageFlic& flic, const std::string& file, mBitmap& target)
    {
        flic.OpenMemory(file.data(), long(file.size()));
        ASSERT_EQ(1, flic.ReadHeader());
        flic.SetTarget(&target);
        flic.Draw(0, 0, nullptr);
    }

    EngineReports boxes;
};

TEST_F(mImageFlicTest, DecodesTheFliChunksTheEncoderDoesNotWrite)
{
    const std::string file = FliFile();
    mImageFlic flic;
    flic.OpenMemory(file.data(), long(file.size()));
    ASSERT_EQ(1, flic.ReadHeader());
    EXPECT_EQ(71u, flic.frameInfo->framePeriod) << "5/70 s";
    EXPECT_EQ(4, flic.rendererInfo->extra);
    mBitmap target(W, -H, 8);
    flic.SetTarget(&target);
    auto row = [&](int y) { return std::vector<int>(target.Row(y), target.Row(y) + W); };

    ASSERT_EQ(0, flic.Draw(0, 0, nullptr));
    EXPECT_EQ(0xFC0004u, flic.frameInfo->colours[2]) << "red 63 becomes 252, blue 1 becomes 4";
    EXPECT_EQ(0x00FC08u, flic.frameInfo->colours[3]);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}), row(0));
    EXPECT_EQ((std::vector<int>{0, 0, 7, 8, 9, 0, 0, 0}), row(1));
    EXPECT_EQ((std::vector<int>{5, 5, 5, 5, 0, 0, 0, 0}), row(2));
    EXPECT_EQ((mRect{0, 1, 5, 3}), flic.frameInfo->changed);

    flic.SeekFrame(1, 0);
    flic.Draw(0, 0, nullptr);
    EXPECT_EQ((std::vector<int>{64, 65, 66, 67, 68, 69, 70, 71}), row(3));
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("Not tested:LITERAL", boxes.shown[0].text);
    EXPECT_EQ("Bad chunk type", boxes.shown[1].text);
    // Drawn again through a clip: nothing outside it on any side.
    const mRect all{0, 0, W, H}, clip{1, 1, 4, 3};
    target.FillRects(0, &all, 1);
    flic.Draw(0, 0, &clip);
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}), row(0));
    EXPECT_EQ((std::vector<int>{0, 49, 50, 51, 0, 0, 0, 0}), row(1));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0}), row(3));

    flic.SeekFrame(2, 0);
    flic.Draw(0, 0, nullptr);
    EXPECT_EQ(64, target.Row(3)[0]) << "a frame without chunks changes nothing";
    EXPECT_TRUE(flic.frameInfo->changed.Empty());

    flic.SeekFrame(3, 0);
    flic.Draw(0, 0, nullptr);
    EXPECT_EQ(0, target.Row(3)[0]);
    flic.SetTarget(nullptr);
}

// A damaged frame is told once, however many chunks it has and however
// often a looping sprite decodes it; a delta cut short still marks the
// rows it wrote as changed, so the stage does not keep stale pixels.
TEST_F(mImageFlicTest, DamagedFramesAreToldOnceAndMarkWhatTheyWrote)
{
    std::string f = Header(0xAF11, 2, 5);
    const std::string delta = DeltaFli();
    f += Frame(1, Chunk(12, delta.substr(0, delta.size() - 2))); // the last packet's value is missing
    std::string chunks;
    for (int i = 0; i < 400; ++i) chunks += Chunk(99, "??");
    std::string literal(W * H, '\x21');
    for (int i = 0; i < 3; ++i) chunks += Chunk(16, literal);
    f += Frame(403, chunks);
    mImageFlic flic;
    mBitmap target(W, -H, 8);
    ShowFirstFrame(flic, f, target);
    EXPECT_EQ(7, target.Row(1)[2]);
    const mRect changed = flic.frameInfo->changed;
    EXPECT_TRUE(changed.left <= 2 && changed.right >= 5 && changed.top <= 1 && changed.bottom >= 2)
        << changed.left << "," << changed.top << "," << changed.right << "," << changed.bottom;
    for (int pass = 0; pass < 3; ++pass) {
        flic.SeekFrame(1, 0);
        flic.Draw(0, 0, nullptr);
        flic.SeekFrame(0, 0);
    }
    EXPECT_EQ(0x21, target.Row(0)[0]);
    EXPECT_EQ((std::vector<std::string>{"Bad chunk type", "Not tested:LITERAL"}), boxes.Texts());
    flic.SetTarget(nullptr);
}

// The encoder writes no fill of length 0; such a fill still takes its byte.
TEST_F(mImageFlicTest, AByteRunFillOfLengthZeroTakesItsValue)
{
    std::string lines;
    for (int y = 0; y < H; ++y) lines += std::string("\x03\x00\x09\x04\x05\xFC\x01\x02\x03\x04", 10);
    const std::string file = Header(0xAF11, 1, 5) + Frame(1, Chunk(15, lines));
    mImageFlic flic;
    mBitmap target(W, -H, 8);
    ShowFirstFrame(flic, file, target);
    for (int y = 0; y < H; ++y)
        EXPECT_EQ((std::vector<int>{5, 5, 5, 5, 1, 2, 3, 4}), std::vector<int>(target.Row(y), target.Row(y) + W)) << y;
    flic.SetTarget(nullptr);

    // A chunk that ends inside a run ends there: what is left of it is not
    // read as the next rows.
    const std::string cut = Header(0xAF11, 1, 5) + Frame(1, Chunk(15, std::string("\x01\xFB\x07\x07\x07", 5)));
    mImageFlic shortened;
    ShowFirstFrame(shortened, cut, target);
    for (int y = 0; y < H; ++y) EXPECT_EQ(std::vector<int>(W, 0), std::vector<int>(target.Row(y), target.Row(y) + W)) << y;
    shortened.SetTarget(nullptr);
}

// Some writers pad a frame after a chunk of odd size and count the pad only
// in the frame's size: the next frame is found where that size says.
TEST_F(mImageFlicTest, AFramePaddedAfterAnOddChunkIsFollowedByTheNext)
{
    std::string lines;
    for (int y = 0; y < H; ++y) lines += std::string("\x01\x08\x09", 3);
    const std::string file = Header(0xAF11, 2, 5) + Frame(1, Chunk(18, "odd") + std::string(1, '\0')) +
                             Frame(1, Chunk(15, lines));
    mImageFlic flic;
    mBitmap target(W, -H, 8);
    ShowFirstFrame(flic, file, target);
    flic.SeekFrame(1, 0);
    EXPECT_EQ(1, flic.Draw(0, 0, nullptr));
    EXPECT_EQ(9, target.Row(H - 1)[W - 1]);
    EXPECT_TRUE(boxes.shown.empty());
    flic.SetTarget(nullptr);
}

TEST_F(mImageFlicTest, AutoAdvanceStopsOnTheLastFrameAndSeeksBeyondChangeNothing)
{
    const std::string file = FliFile();
    {
        mImageFlic silent; // an animation has no sound to open or play
        EXPECT_EQ(0, silent.Open(0));
        EXPECT_EQ(0, silent.Play(0, 1));
        EXPECT_EQ(0, silent.SetVolume(0xFFFF, 0xFFFF));
        // Its conversions count one byte-wide unit a second.
        EXPECT_EQ((std::vector<std::uint32_t>{1, 0, 3000, 3, 3}),
                  (std::vector<std::uint32_t>{silent.TimeToUnits(1, 0, 0), silent.TimeToUnits(0, 0, 0),
                                              silent.UnitsToTime(3), silent.UnitsToBytes(3), silent.BytesToUnits(3)}));
    }
    mImageFlic flic;
    flic.OpenMemory(file.data(), long(file.size()));
    flic.SetAutoAdvance(true);
    for (int i = 0; i < 6; ++i) flic.Draw(0, 0, nullptr);
    EXPECT_EQ(3, flic.LastDecoded());
    EXPECT_EQ(3, flic.frameInfo->currentFrame);
    EXPECT_EQ(3, flic.SeekFrame(4, 0));
    EXPECT_EQ(3, flic.SeekFrame(9, 0));
    // Back to frame 1: rewound and decoded again from the start.
    flic.SeekFrame(1, 0);
    flic.Draw(0, 0, nullptr);
    EXPECT_EQ(1, flic.LastDecoded());
    EXPECT_EQ(40, flic.FrameBitmap()->Row(0)[0]);
}

} // namespace
