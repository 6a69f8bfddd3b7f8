// BMP pictures written by ImageMagick (and reshaped by hand into the forms
// it does not write), decoded by the engine and compared with ImageMagick.
#include "engine/media/mImageBMP.h"

#include "MagickPictures.h"

#include "BmpBuilder.h"
#include "FfmpegFlic.h"
#include "game/TileBitmap.h"

#include <cstdio>

namespace {

class mImageBMPTest : public MagickPictureTest {
protected:
    std::string Bmp(const std::string& name, const std::string& options)
    {
        const std::string path = folder / (name + ".bmp");
        // A format prefix ("BMP3:") at the end of the options goes with the name.
        const bool prefix = !options.empty() && options.back() == ':';
        Run("convert '" + Picture(name, 37, 21, 9) + "' " + options + (prefix ? "" : " ") + "'" + path + "'");
        return path;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::uint32_t At32(const std::string& b, std::size_t i)
    {
        return std::uint32_t(std::uint8_t(b[i])) | std::uint32_t(std::uint8_t(b[i + 1])) << 8 |
               std::uint32_t(std::uint8_t(b[i + 2])) << 16 | std::uint32_t(std::uint8_t(b[i + 3])) << 24;
    }
    static void Put32(std::string& b, std::size_t i, std::uint32_t v)
    {
        for (int k = 0; k < 4; ++k) b[i + std::size_t(k)] = char(v >> (8 * k));
    }
    // Clipped on every side, the part shown is the same part of the whole
    // picture, in the same colours.
    static void ExpectClippedPart(mRenderer& source, const Bytes& whole, const mBitmap& wholeTarget)
    {
        const int w = source.frameInfo->width, h = source.frameInfo->height;
        mBitmap part(std::max(w - 2, 1), -std::max(h - 1, 1), 8);
        part.SetColors(wholeTarget.desc.colours, 0, 256);
        source.SetTarget(&part);
        EXPECT_EQ(0, source.Draw(-1, -1, nullptr));
        source.SetTarget(nullptr);
        for (int y = 0; y < part.desc.height && y + 1 < h; ++y)
            for (int x = 0; x < part.desc.width && x + 1 < w; ++x)
                ASSERT_EQ(whole[std::size_t((y + 1) * w + x + 1)], part.Row(y)[x]) << x << "," << y;
    }
    // The same picture with its rows stored top row first.
    std::string TopDown(const std::string& path)
    {
        std::string b = Read(path);
        const std::uint32_t start = At32(b, 10), width = At32(b, 18), height = At32(b, 22);
        const std::size_t rowBytes = (8 * width + 31) / 32 * 4;
        std::string flipped = b.substr(0, start);
        for (std::uint32_t r = height; r-- > 0;) flipped += b.substr(start + r * rowBytes, rowBytes);
        Put32(flipped, 22, std::uint32_t(-std::int32_t(height)));
        return folder.Write("top-down.bmp", flipped);
    }
    // The same picture with its count of colours left 0, as many writers
    // leave it: the table then holds all 2^bits entries.
    std::string CountLeftZero(const std::string& path)
    {
        std::string b = Read(path);
        Put32(b, 46, 0);
        return folder.Write("count-zero.bmp", b);
    }
    // A 124-byte header cut to the 108 bytes of the form before it.
    std::string Version4(const std::string& path)
    {
        std::string b = Read(path);
        std::string cut = b.substr(0, 14 + 108) + b.substr(14 + 124);
        Put32(cut, 14, 108);
        Put32(cut, 10, At32(b, 10) - 16);
        Put32(cut, 2, std::uint32_t(cut.size()));
        return folder.Write("version4.bmp", cut);
    }
};

TEST_F(mImageBMPTest, UncompressedPicturesShowImageMagicksPicture)
{
    const std::string eight = Bmp("b8", "-colors 200 -compress None BMP3:"), v5 = Bmp("v5", "-colors 90 -compress None");
    std::vector<std::pair<const char*, std::string>> paletted = {
        {"1 bit", Bmp("b1", "-monochrome BMP3:")},   {"4 bits", Bmp("b4", "-colors 16 -compress None BMP3:")},
        {"8 bits", eight},                            {"top-down", TopDown(eight)},
        {"124-byte header", v5},                      {"108-byte header", Version4(v5)},
    };
    paletted.push_back({"count left 0", CountLeftZero(paletted[1].second)});
    for (const auto& [name, path] : paletted) {
        SCOPED_TRACE(name);
        std::unique_ptr<mRenderer> source = mRenderer::ForFileName(path);
        ASSERT_TRUE(dynamic_cast<mImageBMP*>(source.get()));
        // A seek before the header is read leaves the header to be read.
        ASSERT_TRUE(source->OpenFile(path.c_str()) && source->SeekFrame(0, 0) == 0 && source->ReadHeader());
        EXPECT_EQ(1, source->frameInfo->planes);
        mBitmap target;
        EXPECT_EQ(Reference(path), Colours(Ours(*source, target), source->frameInfo->colours));
        // The colours the file counts are read, the rest of the table left
        // black, not filled from the pixels; a count of 0 means 2^bits.
        const std::string bytes = Read(path);
        const std::uint32_t used = At32(bytes, 46) ? At32(bytes, 46) : 1u << std::uint8_t(bytes[28]);
        for (std::uint32_t i = used; i < 256; ++i) ASSERT_EQ(0u, source->frameInfo->colours[i]) << i;
        source->CloseFile();
    }
    for (const char* options : {"-type TrueColor -compress None BMP3:", "-type TrueColor -compress None"}) {
        SCOPED_TRACE(options);
        const std::string path = Bmp("b24", options);
        mImageBMP source;
        ASSERT_TRUE(source.OpenFile(path.c_str()) && source.ReadHeader());
        EXPECT_EQ(nullptr, source.frameInfo->colours);
        mBitmap target;
        const Bytes whole = Ours(source, target);
        ExpectReferenceConversion(Reference(path), whole, target);
        ExpectClippedPart(source, whole, target);
        source.CloseFile();
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// Hand-made run-length codes with what ImageMagick's writer never uses:
// deltas, absolute runs with their pad byte, lines and pictures ended
// early, runs past the right edge, data that stops in the middle.
std::string Coded(int bits, int width, int height, const std::vector<std::uint8_t>& codes, bool sizeGiven = true)
{
    BmpBuilder b;
    b.width = width;
    b.height = height;
    b.bitCount = std::uint16_t(bits);
    b.compression = bits == 8 ? 1 : 2;
    for (std::uint32_t i = 0; i < (1u << bits); ++i) b.colors.push_back(0x010101u * (i * 37 % 256) ^ (i << 16));
    b.pixels = codes;
    b.sizeImage = sizeGiven ? std::uint32_t(codes.size()) : 0;
    return b.Bytes();
}

const std::vector<std::uint8_t> Rle8Codes = {
    3, 5, 0, 3, 7, 8, 9, 0, 0, 0, // run, odd absolute run and its pad, end of line
    0, 2, 2, 1,                   // delta: row 1 stays blank, row 2 from column 2
    9, 4, 0, 0,                   // a run past the right edge
    0, 4, 1, 2, 3, 4, 0, 1,       // even absolute run, end of picture before the last row
};
const std::vector<std::uint8_t> Rle4Codes = {
    5, 0x12, 0, 3, 0x34, 0x50, 0, 0, // run of two alternating pixels, absolute run of 3 in 2 bytes
    0, 2, 1, 0, 2, 0x77,             // delta to the right on the same row
    0, 5, 0xAB, 0xCD, 0xE0, 0, 0, 0, // absolute run of 5 in 3 bytes and its pad
    9, 0xAB, 0, 0, 2, 0xF1,          // a full row; the data stops in the last one
};
// Every row ended, as ImageMagick's reader wants them.
const std::vector<std::uint8_t> Rle4Whole = {5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 5, 0xAB, 0xCD, 0xE0, 0, 3, 0x9F, 0, 1};

// Coded pictures, as ImageMagick writes them (8 bits only) and by hand,
// decode as FFmpeg's and ImageMagick's decoders decode them: through the
// engine's source, whole and clipped, and through the game's tile pictures.
TEST_F(mImageBMPTest, RunLengthCodedPicturesDecodeAsIndependentDecodersDoThem)
{
    const auto magick = [this](int w, int h, const char* colours) {
        const std::string path = folder / ("m" + std::to_string(w) + "x" + std::to_string(h) + ".bmp");
        Run("convert '" + Picture("rle", w, h, w) + "' " + colours + " -compress RLE BMP3:'" + path + "'");
        return path;
    };
    struct Case {
        const char* name;
        std::string path;
        bool magickReads; // ImageMagick refuses data that ends before the last row does
    };
    const std::vector<Case> files = {
        {"37 x 21", magick(37, 21, "-colors 200"), true},
        {"1 x 1", magick(1, 1, "-colors 2"), true},
        {"300 x 3, runs longer than a count holds", magick(300, 3, "-colors 3"), true},
        {"8 bits by hand", folder.Write("h8.bmp", Coded(8, 7, 5, Rle8Codes)), false},
        {"8 bits, size left 0", folder.Write("h8z.bmp", Coded(8, 7, 5, Rle8Codes, false)), false},
        {"4 bits by hand", folder.Write("h4.bmp", Coded(4, 9, 4, Rle4Codes)), false},
        {"4 bits, every row ended", folder.Write("h4w.bmp", Coded(4, 8, 2, Rle4Whole)), true},
        {"4 bits, odd width", folder.Write("h4o.bmp", Coded(4, 3, 2, {3, 0x56, 0, 0, 0, 3, 0x12, 0x30, 0, 1})), true},
    };
    for (const Case& c : files) {
        SCOPED_TRACE(c.name);
        const std::vector<ReferenceFrame> ffmpeg = FfmpegFlicFrames(c.path);
        ASSERT_EQ(1u, ffmpeg.size());
        mImageBMP source;
        ASSERT_TRUE(source.OpenFile(c.path.c_str()) && source.ReadHeader());
        mBitmap whole;
        const Bytes indexes = Ours(source, whole);
        EXPECT_EQ(ffmpeg[0].pixels, indexes);
        if (c.magickReads) {
            EXPECT_EQ(Reference(c.path), Colours(indexes, source.frameInfo->colours));
        }
        ExpectClippedPart(source, indexes, whole);
        source.CloseFile();

        std::FILE* file = std::fopen(c.path.c_str(), "rb");
        TileBitmap tile;
        ASSERT_TRUE(ReadDib(file, tile));
        std::fclose(file);
        Bytes tileIndexes;
        for (std::uint32_t y = tile.height; y-- > 0;)
            for (std::uint32_t x = 0; x < tile.width; ++x) {
                const std::uint8_t byte = tile.bits[y * tile.RowBytes() + x * tile.bitCount / 8];
                tileIndexes.push_back(tile.bitCount == 8 ? byte : (x & 1) ? byte & 0x0F : byte >> 4);
            }
        EXPECT_EQ(indexes, tileIndexes);
    }
    EXPECT_TRUE(boxes.shown.empty());
    // Codes of another kind, or run lengths of another depth, are refused.
    for (const std::uint32_t compression : {3u, 2u}) { // bit fields; 4-bit codes for an 8-bit picture
        std::string bytes = Coded(8, 7, 5, Rle8Codes);
        Put32(bytes, 30, compression);
        mImageBMP source;
        ASSERT_TRUE(source.OpenFile(folder.Write("other.bmp", bytes).c_str()));
        EXPECT_EQ(0, source.ReadHeader()) << compression;
        source.CloseFile();
    }
    EXPECT_EQ(2u, boxes.shown.size());
}

// A few bytes can claim any size: the engine draws only what the target
// shows (the game's refusal is TileBitmapTest's).
TEST_F(mImageBMPTest, ACodedPictureOfHugeClaimsCostsOnlyWhatIsShown)
{
    const std::string path = folder.Write("huge.bmp", Coded(8, 1 << 24, 1 << 24, {4, 9, 0, 1}));
    mImageBMP source;
    ASSERT_TRUE(source.OpenFile(path.c_str()) && source.ReadHeader());
    mBitmap target(6, -2, 8);
    for (int y = 0; y < 2; ++y) std::fill(target.Row(y), target.Row(y) + 6, 0xEE);
    source.SetTarget(&target);
    EXPECT_EQ(0, source.Draw(0, 2 - (1 << 24), nullptr)); // its bottom rows
    source.SetTarget(nullptr);
    EXPECT_EQ(Bytes({0, 0, 0, 0, 0, 0}), Bytes(target.Row(0), target.Row(0) + 6));
    EXPECT_EQ(Bytes({9, 9, 9, 9, 0, 0}), Bytes(target.Row(1), target.Row(1) + 6));
    source.CloseFile();
}

// A true-colour picture goes to the target's nearest colours as they are
// at each draw: new colours in the target, new indexes.
TEST_F(mImageBMPTest, TrueColourFollowsTheTargetsColoursFromDrawToDraw)
{
    const std::string path = folder.Write("red.bmp", BmpBuilder::Solid(4, 2, 24, 0xF00000).Bytes());
    mImageBMP source;
    ASSERT_TRUE(source.OpenFile(path.c_str()) && source.ReadHeader());
    mBitmap target(4, -2, 8);
    std::uint32_t colours[256] = {};
    colours[5] = 0xFF0000;
    target.SetColors(colours, 0, 256);
    source.SetTarget(&target);
    source.Draw(0, 0, nullptr);
    EXPECT_EQ(5, target.Row(1)[3]);
    colours[5] = 0x00FF00;
    colours[9] = 0xF00000;
    target.SetColors(colours, 0, 256);
    source.Draw(0, 0, nullptr);
    EXPECT_EQ(9, target.Row(1)[3]);
    source.SetTarget(nullptr);
    source.CloseFile();
}

} // namespace
