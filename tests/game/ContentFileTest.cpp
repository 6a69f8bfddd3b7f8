#include "game/ContentFile.h"

#include "doubles/MemoryProfile.h"

#include <gtest/gtest.h>

TEST(ContentFile, CountEntriesStopsAtTheFirstGapOrNone)
{
    MemoryProfile ini;
    ContentFile content(ini);
    EXPECT_EQ(content.CountEntries("Tiles", "TILE"), 0);

    for (int n : {1, 2, 3, 4, 5, 7}) ini.Set("Tiles", ContentFile::NumberedKey("TILE", n), "pic");
    EXPECT_EQ(content.CountEntries("Tiles", "TILE"), 5);

    ini.Set("Tiles", "TILE03", "none");
    EXPECT_EQ(content.CountEntries("tiles", "TILE"), 2);
    ini.Set("Tiles", "TILE03", "None");
    EXPECT_EQ(content.CountEntries("tiles", "TILE"), 5) << "only the exact word counts as absent";
}

TEST(ContentFile, CountEntriesStopsAtNinetyNine)
{
    MemoryProfile ini;
    ContentFile content(ini);
    for (int n = 1; n <= 120; ++n) ini.Set("Yupsounds", ContentFile::NumberedKey("YUP", n), "y.wav");
    EXPECT_EQ(content.CountEntries("Yupsounds", "YUP"), 99);
    EXPECT_EQ(ContentFile::NumberedKey("TILE", 7), "TILE07");
    EXPECT_EQ(ContentFile::NumberedKey("TILE", 100), "TILE100");
}

TEST(ContentFile, FormsPathsFromTheCurrentEntries)
{
    MemoryProfile ini;
    ContentFile content(ini);
    ini.Set("Tiles", "TILE02", "cat");
    EXPECT_EQ(content.TilePicturePath(2), "bmp\\cat.bmp");
    EXPECT_EQ(content.AnimationPath(2, "anim\\"), "anim\\cat.flc");
    EXPECT_EQ(content.AnimationPath(2, ""), "cat.flc");
    EXPECT_EQ(content.TilePicturePath(3), "bmp\\NO INI FILE ENTRY.bmp");
    ini.Set("Tiles", "TILE02", "dog");
    EXPECT_EQ(content.TilePicturePath(2), "bmp\\dog.bmp") << "names are looked up each time";
}
