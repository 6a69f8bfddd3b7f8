// BMP pictures written by ImageMagick (and reshaped by hand into the forms
// it does not write), decoded by the engine and compared with ImageMagick.
#include "engine/media/mImageBMP.h"

#include "MagickPictures.h"

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
    const std::vector<std::pair<const char*, std::string>> paletted = {
        {"1 bit", Bmp("b1", "-monochrome BMP3:")},   {"4 bits", Bmp("b4", "-colors 16 -compress None BMP3:")},
        {"8 bits", eight},                            {"top-down", TopDown(eight)},
        {"124-byte header", v5},                      {"108-byte header", Version4(v5)},
    };
    const std::string four = paletted[1].second;
    for (const auto& [name, path] : paletted) {
        SCOPED_TRACE(name);
        std::unique_ptr<mRenderer> source = mRenderer::ForFileName(path);
        ASSERT_TRUE(dynamic_cast<mImageBMP*>(source.get()));
        ASSERT_TRUE(source->OpenFile(path.c_str()) && source->ReadHeader());
        mBitmap target;
        EXPECT_EQ(Reference(path), Colours(Ours(*source, target), source->frameInfo->colours));
        source->CloseFile();
    }
    {
        // Sixteen colours read, the rest of the table left black, not filled from the pixels.
        mImageBMP source;
        const std::string path = CountLeftZero(four);
        ASSERT_TRUE(source.OpenFile(path.c_str()) && source.ReadHeader());
        mBitmap target;
        EXPECT_EQ(Reference(four), Colours(Ours(source, target), source.frameInfo->colours));
        for (int i = 16; i < 256; ++i) ASSERT_EQ(0u, source.frameInfo->colours[i]) << i;
        source.CloseFile();
    }
    for (const char* options : {"-type TrueColor -compress None BMP3:", "-type TrueColor -compress None"}) {
        SCOPED_TRACE(options);
        const std::string path = Bmp("b24", options);
        mImageBMP source;
        ASSERT_TRUE(source.OpenFile(path.c_str()) && source.ReadHeader());
        EXPECT_EQ(nullptr, source.frameInfo->colours);
        mBitmap target;
        ExpectReferenceConversion(Reference(path), Ours(source, target), target);
        source.CloseFile();
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mImageBMPTest, CompressedPicturesAreRefusedNotDrawnAsNoise)
{
    for (const char* options : {"-colors 200 -compress RLE BMP3:", "-colors 16 -compress RLE BMP3:"}) {
        SCOPED_TRACE(options);
        const std::string path = Bmp("rle", options);
        mImageBMP source;
        ASSERT_TRUE(source.OpenFile(path.c_str()));
        EXPECT_EQ(0, source.ReadHeader());
        mBitmap target(4, 4, 8);
        source.SetTarget(&target);
        EXPECT_EQ(-1, source.Draw(0, 0, nullptr));
        source.SetTarget(nullptr);
        source.CloseFile();
    }
    ASSERT_EQ(4u, boxes.shown.size());
    EXPECT_EQ("mImageBMP", boxes.shown[0].caption);
    EXPECT_EQ(0u, boxes.shown[0].text.rfind("File type error", 0));
}

} // namespace
