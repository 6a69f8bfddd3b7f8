// FLIC behaviour the encoder does not produce: FLI files with COLOR_64 and
// DELTA_FLI, BLACK, FLI_COPY, PSTAMP and unknown chunks, built byte by byte;
// and the source's rules around them.
#include "engine/core/mImageFlic.h"

#include "FlicEncoder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <optional>

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

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> t;
        for (const auto& b : boxes.shown) t.push_back(b.text);
        return t;
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
    EXPECT_EQ((std::vector<std::string>{"Not tested:LITERAL", "Bad chunk type"}), Texts());
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

// The encoder writes no fill of length 0; such a fill still takes its byte.
TEST_F(mImageFlicTest, AByteRunFillOfLengthZeroTakesItsValue)
{
    std::string lines;
    for (int y = 0; y < H; ++y) lines += std::string("\x03\x00\x09\x04\x05\xFC\x01\x02\x03\x04", 10);
    const std::string file = Header(0xAF11, 1, 5) + Frame(1, Chunk(15, lines));
    mImageFlic flic;
    flic.OpenMemory(file.data(), long(file.size()));
    ASSERT_EQ(1, flic.ReadHeader());
    mBitmap target(W, -H, 8);
    flic.SetTarget(&target);
    flic.Draw(0, 0, nullptr);
    for (int y = 0; y < H; ++y)
        EXPECT_EQ((std::vector<int>{5, 5, 5, 5, 1, 2, 3, 4}), std::vector<int>(target.Row(y), target.Row(y) + W)) << y;
    flic.SetTarget(nullptr);
}

TEST_F(mImageFlicTest, AutoAdvanceStopsOnTheLastFrameAndSeeksBeyondChangeNothing)
{
    const std::string file = FliFile();
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

TEST_F(mImageFlicTest, TheFirstFramesTopLeftPixelIsTransparentUnlessAColourWasSet)
{
    FlicEncoder encoder(W, H, 20);
    FlicEncoder::Palette palette{};
    std::vector<std::uint8_t> pixels(W * H, 3);
    pixels[0] = 9;
    encoder.AddFrame(pixels, palette);
    const std::string file = encoder.Finish();

    mImageFlic automatic;
    automatic.OpenMemory(file.data(), long(file.size()));
    automatic.ReadHeader();
    EXPECT_EQ(9u, automatic.frameInfo->transparentColour);
    EXPECT_EQ(0, automatic.frameInfo->transparent) << "the switch stays as it was";

    mImageFlic chosen;
    chosen.OpenMemory(file.data(), long(file.size()));
    chosen.SetTransparentColor(3);
    chosen.ReadHeader();
    EXPECT_EQ(3u, chosen.frameInfo->transparentColour);
    EXPECT_EQ(1, chosen.frameInfo->transparent);

    // Drawn transparently, colour 3 leaves the target as it was.
    mBitmap target(W, H, 8);
    const mRect all{0, 0, W, H};
    target.FillRects(77, &all, 1);
    chosen.SetTarget(&target);
    chosen.Draw(0, 0, nullptr);
    EXPECT_EQ(9, target.Row(0)[0]);
    EXPECT_EQ(77, target.Row(1)[1]);
    chosen.SetTarget(nullptr);
    EXPECT_EQ(0, chosen.ReadHeader()) << "a second header read does nothing";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mImageFlicTest, ReportsBadFilesTargetsAndWhatItCannotDo)
{
    std::string notFlic = Header(0x1234, 1, 5);
    mImageFlic wrong;
    wrong.OpenMemory(notFlic.data(), long(notFlic.size()));
    EXPECT_EQ(0, wrong.ReadHeader());
    EXPECT_FALSE(wrong.open);

    const std::string badFrame = Header(0xAF12, 1, 5) + Frame(0, "", 0xBEEF);
    mImageFlic bad;
    bad.OpenMemory(badFrame.data(), long(badFrame.size()));
    EXPECT_EQ(1, bad.ReadHeader());
    EXPECT_EQ(-1, bad.Draw(0, 0, nullptr));
    EXPECT_EQ(-1, bad.Draw(0, 0, nullptr)); // told once
    mBitmap deep(4, 4, 24);
    EXPECT_EQ(0, bad.SetTarget(&deep));
    EXPECT_EQ(0, bad.WriteHeader());
    EXPECT_EQ(-1, bad.WriteFrame());
    bad.SetTarget(nullptr);
    EXPECT_EQ((std::vector<std::string>{"File type error", "Bad frame header",
                                        "Bitmap error:Bitmap wrong format", "Not implemented:WriteHeader()",
                                        "Not implemented:WriteFrame()"}),
              Texts());
}

// Every cut of a file, and every byte of it changed, decodes without reading
// or writing out of bounds (the sanitizer build checks) and without hanging.
// Each frame of the file as drawn after seeking to it in order; none where
// the file could not be read or Draw failed.
using Shown = std::vector<std::optional<std::vector<std::uint8_t>>>;

Shown PlayEveryFrame(const std::string& bytes, int frames)
{
    Shown shown{std::size_t(frames)};
    mImageFlic flic;
    flic.OpenMemory(bytes.data(), long(bytes.size()));
    if (!flic.ReadHeader()) return shown;
    mBitmap target(13, -7, 8);
    flic.SetTarget(&target);
    for (int f = 0; f < frames; ++f) {
        flic.SeekFrame(f, 0);
        const int drawn = flic.Draw(0, 0, nullptr);
        // Frame 0 is there once the header was read, whatever the count says.
        EXPECT_TRUE(drawn == -1 || (drawn >= 0 && drawn < std::max(flic.rendererInfo->frameCount, 1))) << drawn;
        if (drawn == f) shown[std::size_t(f)].emplace(target.desc.bits, target.desc.bits + 13 * 7);
    }
    flic.SetTarget(nullptr);
    return shown;
}

// A file cut short shows every frame that it holds whole as the whole file
// does; cut or damaged anywhere, it never draws a frame it was not asked for.
TEST_F(mImageFlicTest, CutAndDamagedFilesShowTheFramesTheyHold)
{
    mObject::SetReporter(nullptr); // thousands of reports
    constexpr int Frames = 4;
    FlicEncoder encoder(13, 7, 20);
    FlicEncoder::Palette palette{};
    for (int f = 0; f < Frames; ++f) {
        std::vector<std::uint8_t> pixels(13 * 7);
        for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::uint8_t((i * std::size_t(f + 3)) % 11);
        encoder.AddFrame(pixels, palette);
    }
    const std::string whole = encoder.Finish();
    const auto all = PlayEveryFrame(whole, Frames);
    std::vector<std::size_t> ends; // where each frame's bytes end
    for (std::size_t at = 128; ends.size() < Frames; ends.push_back(at))
        at += std::uint8_t(whole[at]) | std::uint8_t(whole[at + 1]) << 8 | std::uint8_t(whole[at + 2]) << 16;
    for (int f = 0; f < Frames; ++f) ASSERT_TRUE(all[std::size_t(f)]) << "frame " << f;

    for (std::size_t n = 0; n <= whole.size(); ++n) {
        const auto cut = PlayEveryFrame(whole.substr(0, n), Frames);
        for (int f = 0; f < Frames && ends[std::size_t(f)] <= n; ++f)
            ASSERT_EQ(all[std::size_t(f)], cut[std::size_t(f)]) << "cut at " << n << ", frame " << f;
    }
    for (std::size_t at = 0; at < whole.size(); ++at)
        for (char v : {'\x00', '\x7F', '\x80', '\xFF'}) {
            std::string damaged = whole;
            damaged[at] = v;
            PlayEveryFrame(damaged, Frames + 2);
        }
}

} // namespace
