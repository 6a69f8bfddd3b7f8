#include "game/TileBitmap.h"

#include "BmpBuilder.h"
#include "doubles/ScriptedMessageBoxes.h"
#include "doubles/TablePathMap.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class TileBitmapTest : public ::testing::Test {
protected:
    bool Load(const std::string& bytes, TileBitmap& picture)
    {
        paths.table["bmp\\pic.bmp"] = folder.Write("pic.bmp", bytes);
        return LoadDib("bmp\\pic.bmp", picture, boxes, paths);
    }

    TempFolder folder;
    TablePathMap paths;
    ScriptedMessageBoxes boxes;
};

TEST_F(TileBitmapTest, HonoursGapsLongerHeadersAndShortTables)
{
    BmpBuilder gap = BmpBuilder::Solid(4, 2, 8, 0x00FF00);
    gap.pixels[0] = 7;
    gap.bitsOffset = 14 + 40 + 1024 + 300;
    TileBitmap p;
    ASSERT_TRUE(Load(gap.Bytes(), p));
    EXPECT_EQ(7, p.bits[0]);
    // A writer that leaves the offset field 0 puts the pixels right after the table.
    gap.bitsOffset = 0;
    gap.zeroOffsetField = true;
    ASSERT_TRUE(Load(gap.Bytes(), p));
    EXPECT_EQ(7, p.bits[0]);

    // A later header (124 bytes) puts the table after itself, not at byte 54.
    BmpBuilder v5 = BmpBuilder::Solid(4, 2, 8, 0x0000FF);
    v5.headerSize = 124;
    ASSERT_TRUE(Load(v5.Bytes(), p));
    EXPECT_EQ(0x0000FFu, p.colors[0]);

    BmpBuilder few = BmpBuilder::Solid(4, 2, 8, 0xABCDEF);
    few.colors.resize(16);
    few.clrUsed = 16;
    ASSERT_TRUE(Load(few.Bytes(), p));
    EXPECT_EQ(16u, p.colors.size());
    EXPECT_EQ(0xABCDEFu, p.colors[0]);

    // 24 bits with a table: the table is kept, the pixels are colours.
    BmpBuilder rgbTable = BmpBuilder::Solid(3, 3, 24, 0x010203);
    rgbTable.colors = {0x111111, 0x222222};
    rgbTable.clrUsed = 2;
    ASSERT_TRUE(Load(rgbTable.Bytes(), p));
    EXPECT_EQ(2u, p.clrUsed);
    EXPECT_EQ(0x03, p.bits[0]);
}

TEST_F(TileBitmapTest, RejectsDamagedFilesWithoutMessageAndKeepsThePicture)
{
    using Damage = std::function<void(BmpBuilder&, std::string&)>;
    const std::vector<std::pair<const char*, Damage>> cases = {
        {"empty file", [](BmpBuilder&, std::string& f) { f.clear(); }},
        {"not BM", [](BmpBuilder& b, std::string&) { b.type = "MB"; }},
        {"core header", [](BmpBuilder& b, std::string&) { b.headerSize = 12; }},
        {"16 bits", [](BmpBuilder& b, std::string&) { b.bitCount = 16; }},
        {"4-bit codes for 8 bits", [](BmpBuilder& b, std::string&) { b.compression = 2; }},
        {"8-bit codes for 24 bits", [](BmpBuilder& b, std::string&) { b.compression = 1, b.bitCount = 24; }},
        {"other compression", [](BmpBuilder& b, std::string&) { b.compression = 3; }},
        {"codes beyond the file", [](BmpBuilder& b, std::string&) { b.compression = 1, b.sizeImage = 4096; }},
        {"coded picture too large to hold", [](BmpBuilder& b, std::string&) { b.compression = 1, b.width = 4096, b.height = 4097; }},
        {"zero width", [](BmpBuilder& b, std::string&) { b.width = 0; }},
        {"image size below the rows", [](BmpBuilder& b, std::string&) { b.sizeImage = 4; }},
        {"absurd image size", [](BmpBuilder& b, std::string&) { b.sizeImage = 0xFFFFFFF0; }},
        {"table beyond the file", [](BmpBuilder& b, std::string&) { b.clrUsed = 0xFFFF; }},
        {"bits offset beyond the file", [](BmpBuilder&, std::string& f) { if (f.size() > 13) f[13] = '\x7F'; }},
        {"short pixel data", [](BmpBuilder&, std::string& f) { f.pop_back(); }},
    };
    TileBitmap good;
    ASSERT_TRUE(Load(BmpBuilder::Solid(4, 2, 8, 0x00FF00).Bytes(), good));
    for (const auto& [name, damage] : cases) {
        SCOPED_TRACE(name);
        BmpBuilder b = BmpBuilder::Solid(4, 2, 8, 0xFF0000);
        // Damage to the fields is done before the bytes are made, damage to
        // the bytes after.
        std::string before;
        damage(b, before);
        std::string bytes = b.Bytes();
        damage(b, bytes);
        TileBitmap picture = good;
        EXPECT_FALSE(Load(bytes, picture));
        EXPECT_EQ(good.colors, picture.colors);
        EXPECT_EQ(good.bits, picture.bits);
    }
    EXPECT_TRUE(boxes.shown.empty());
    // The largest coded picture still decoded: 4096 x 4096 at 8 bits.
    BmpBuilder largest = BmpBuilder::Solid(1, 1, 8, 0xFF0000);
    largest.compression = 1, largest.width = largest.height = 4096, largest.pixels = {0, 1}; // end of picture
    TileBitmap picture;
    EXPECT_TRUE(Load(largest.Bytes(), picture));
}

} // namespace
