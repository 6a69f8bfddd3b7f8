#include "platform/IniProfile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(IniProfile, LooksUpLikeAWindowsProfile)
{
    TempFolder dir;
    const std::string file = dir.Write("Pairlet.ini",
                                       "\xEF\xBB\xBF; content\r\n"
                                       "[Tiles]\r\n"
                                       "TILE01=cat\r\n"
                                       "  tile02 =  dog  \r\n"
                                       "TILE03=\"quoted name\"\r\n"
                                       "TILE04=a;b # not a comment\r\n"
                                       "TILE01=second cat\r\n"
                                       "[ Other Sounds ]\r\n"
                                       "STARTSOUND=snd\\start.wav\r\n"
                                       "NoEqualsSign\r\n"
                                       "[tiles]\r\n"
                                       "TILE05=later section\r\n");
    platform::IniProfile ini(file);

    EXPECT_EQ(ini.GetString("tiles", "tile01", "d"), "cat") << "case-insensitive, first occurrence wins";
    EXPECT_EQ(ini.GetString("Tiles", "TILE02", "d"), "dog") << "blanks around key and value dropped";
    EXPECT_EQ(ini.GetString("Tiles", "TILE03", "d"), "quoted name");
    EXPECT_EQ(ini.GetString("Tiles", "TILE04", "d"), "a;b # not a comment");
    EXPECT_EQ(ini.GetString("Tiles", "TILE05", "d"), "later section");
    EXPECT_EQ(ini.GetString("OTHER SOUNDS", "startsound", "d"), "snd\\start.wav");
    EXPECT_EQ(ini.GetString("Tiles", "TILE06", "none"), "none");
    EXPECT_EQ(ini.GetString("Missing", "TILE01", "none"), "none");
    EXPECT_EQ(ini.GetString("Other Sounds", "NoEqualsSign", "none"), "none");
}
