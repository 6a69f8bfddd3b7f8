// PCX and DCX pictures written by ImageMagick and by hand, decoded by the
// engine and compared with ImageMagick's own decode.
#include "engine/sprites/mImageDCX.h"
#include "engine/sprites/mImagePCX.h"

#include "MagickPictures.h"

namespace {

class mImagePCXTest : public MagickPictureTest {};

TEST_F(mImagePCXTest, PalettedPicturesShowImageMagicksColours)
{
    for (auto [w, h, colours] : {std::tuple{37, 21, 200}, {64, 40, 16}, {1, 1, 2}, {255, 8, 256}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h << ", " << colours << " colours");
        const std::string ppm = Picture("p", w, h, colours);
        const std::string pcx = folder / "p.pcx";
        Run("convert '" + ppm + "' -colors " + std::to_string(colours) + " gif:- | convert - '" + pcx + "'");
        mBitmap target;
        std::unique_ptr<mRenderer> source = mRenderer::ForFileName(pcx);
        ASSERT_TRUE(dynamic_cast<mImagePCX*>(source.get()));
        ASSERT_TRUE(source->OpenFile(pcx.c_str()) && source->ReadHeader());
        EXPECT_EQ(8, source->frameInfo->depth);
        EXPECT_EQ(1, source->frameInfo->paletteChanged);
        EXPECT_EQ(Reference(pcx), Colours(Ours(*source, target), source->frameInfo->colours));
        source->CloseFile(); // the owner closes the stream
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mImagePCXTest, TrueColourPicturesAreTheReferenceBroughtToTheTargetsColours)
{
    const std::string pcx = folder / "t.pcx";
    Run("convert '" + Picture("t", 41, 17, 3) + "' -type TrueColor '" + pcx + "'");
    mImagePCX source;
    mBitmap target;
    ASSERT_TRUE(source.OpenFile(pcx.c_str()) && source.ReadHeader());
    EXPECT_EQ(3, source.frameInfo->planes);
    EXPECT_EQ(nullptr, source.frameInfo->colours);
    EXPECT_EQ(0, source.frameInfo->paletteChanged);
    ExpectReferenceConversion(Reference(pcx), Ours(source, target), target);
    source.CloseFile();
}

TEST_F(mImagePCXTest, DcxPagesAreFramesWithTheirOwnSizesAndColours)
{
    std::string gifs;
    const int sizes[3][2] = {{30, 20}, {17, 9}, {50, 33}};
    for (int p = 0; p < 3; ++p) {
        const std::string gif = folder / ("page" + std::to_string(p) + ".gif");
        Run("convert '" + Picture("page", sizes[p][0], sizes[p][1], p * 50) + "' -colors " + std::to_string(40 + p * 90) +
            " '" + gif + "'");
        gifs += " '" + gif + "'";
    }
    const std::string dcx = folder / "pages.dcx";
    Run("convert" + gifs + " '" + dcx + "'");
    mImageDCX source;
    ASSERT_TRUE(source.OpenFile(dcx.c_str()) && source.ReadHeader());
    EXPECT_EQ(3, source.rendererInfo->frameCount);
    for (int p : {2, 0, 1}) {
        SCOPED_TRACE(p);
        mBitmap target;
        EXPECT_EQ(p, source.SeekFrame(p, 0));
        EXPECT_EQ(sizes[p][0], source.frameInfo->width);
        EXPECT_EQ(Reference(dcx + "[" + std::to_string(p) + "]"), Colours(Ours(source, target), source.frameInfo->colours));
    }
    EXPECT_EQ(1, source.SeekFrame(2, 1)) << "3 is not below 3";
    EXPECT_EQ(1, source.SeekFrame(-1, 0));
    EXPECT_EQ(1, source.SeekFrame(-2, 1));
    EXPECT_EQ(2, source.SeekFrame(1, 2));
    source.CloseFile();
    EXPECT_TRUE(boxes.shown.empty());
}

// A header of the given shape, then data.
std::string Pcx(int width, int height, int depth, int planes, int bytesPerLine, const std::string& data)
{
    std::string h(128, '\0');
    h[0] = 10;
    h[2] = 1;
    h[3] = char(depth);
    h[8] = char((width - 1) & 0xFF), h[9] = char((width - 1) >> 8);
    h[10] = char((height - 1) & 0xFF), h[11] = char((height - 1) >> 8);
    for (int i = 0; i < 16; ++i) h[std::size_t(16 + 3 * i)] = char(i * 16); // entry i is red i × 16
    h[65] = char(planes);
    h[66] = char(bytesPerLine & 0xFF), h[67] = char(bytesPerLine >> 8);
    return h + data;
}

TEST_F(mImagePCXTest, RunsPlanesClippingAndDamagedFilesByHand)
{
    mBitmap target(12, -4, 8);
    const mRect whole{0, 0, 12, 4};
    const auto clear = [&] { target.FillRects(99, &whole, 1); };
    clear();
    const auto draw = [&](const std::string& bytes, int x, int y, const mRect* clip = nullptr) {
        mImagePCX source;
        source.OpenMemory(bytes.data(), long(bytes.size()));
        source.SetTarget(&target);
        const int result = source.Draw(x, y, clip);
        source.SetTarget(nullptr);
        source.CloseFile();
        return result;
    };
    const auto row = [&](int y) { return Bytes(target.Row(y), target.Row(y) + 12); };

    // 0xC3 7 is three sevens; 0xC0 5 is nothing; a run past the line's end ends it.
    EXPECT_EQ(0, draw(Pcx(4, 2, 8, 1, 4, "\xC3\x07\xC0\x05\x01" "\xC9\x02" "\x03"), 0, 0));
    EXPECT_EQ(Bytes({7, 7, 7, 1, 99, 99, 99, 99, 99, 99, 99, 99}), row(0));
    EXPECT_EQ(Bytes({2, 2, 2, 2, 99, 99, 99, 99, 99, 99, 99, 99}), row(1)) << "the surplus is dropped";

    // Four planes of one bit: plane p gives bit p of each index.
    clear();
    EXPECT_EQ(0, draw(Pcx(8, 1, 1, 4, 1, "\xC1\xF0\xC1\xCC\xAA\x01"), 2, 3));
    EXPECT_EQ(Bytes({99, 99, 7, 3, 5, 1, 6, 2, 4, 8, 99, 99}), row(3));

    // Clipped: drawn at (-2, -1), and a clip left of x reads nothing.
    clear();
    const std::string ramp = Pcx(4, 3, 8, 1, 4, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C");
    EXPECT_EQ(0, draw(ramp, -2, -1));
    EXPECT_EQ(Bytes({7, 8, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99}), row(0));
    EXPECT_EQ(Bytes({11, 12, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99}), row(1));
    const mRect left{0, 0, 3, 4};
    EXPECT_EQ(0, draw(ramp, 5, 0, &left));
    EXPECT_EQ(Bytes({7, 8, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99}), row(0));

    // A line shorter than the picture is wide fills what it holds.
    clear();
    EXPECT_EQ(0, draw(Pcx(10, 1, 8, 1, 8, "\x01\x02\x03\x04\x05\x06\x07\x08"), 0, 0));
    EXPECT_EQ(Bytes({1, 2, 3, 4, 5, 6, 7, 8, 99, 99, 99, 99}), row(0));

    // Not a picture: reported once.
    EXPECT_EQ(-1, draw("not a picture", 0, 0));
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("mImagePCX", boxes.shown[0].caption);
    EXPECT_EQ("File type error", boxes.shown[0].text);

    // A picture too short to hold the colours at the end keeps the header's.
    mImagePCX tiny;
    const std::string one = Pcx(1, 1, 8, 1, 1, "\x05");
    ASSERT_TRUE(tiny.OpenMemory(one.data(), long(one.size())) && tiny.ReadHeader());
    EXPECT_EQ(0x500000u, tiny.frameInfo->colours[5]);
    tiny.CloseFile();
    EXPECT_EQ(1u, boxes.shown.size());

    // A byte of data gives 63 decoded bytes at most, and a pixel takes a bit
    // at least: a header that claims more than its data can hold is no
    // picture, and costs no memory (two bytes: 1008 pixels).
    for (const auto& [claim, good] : {std::pair{Pcx(16000, 16000, 8, 1, 16000, "\xFF\x05"), false},
                                      std::pair{Pcx(504, 2, 1, 1, 64, "\xFF\x05"), true},
                                      std::pair{Pcx(505, 2, 1, 1, 64, "\xFF\x05"), false}}) {
        mImagePCX source;
        source.OpenMemory(claim.data(), long(claim.size()));
        EXPECT_EQ(good ? 1 : 0, source.ReadHeader()) << claim.size();
        source.CloseFile();
    }
    EXPECT_EQ(3u, boxes.shown.size());
}

} // namespace
