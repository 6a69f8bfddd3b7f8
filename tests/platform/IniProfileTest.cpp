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

TEST(IniProfile, MissingFileAndLongValues)
{
    TempFolder dir;
    platform::IniProfile missing(dir / "absent.ini");
    EXPECT_EQ(missing.GetString("Tiles", "TILE01", "NO INI FILE ENTRY"), "NO INI FILE ENTRY");

    const std::string longValue(400, 'x');
    platform::IniProfile ini(dir.Write("long.ini", "[S]\nK=" + longValue + "\n"));
    EXPECT_EQ(ini.GetString("S", "K", ""), std::string(260, 'x'));
    EXPECT_EQ(ini.GetString("S", "L", longValue), std::string(260, 'x')) << "defaults are cut too";

    platform::IniProfile binary(dir.Write("binary.ini", std::string("[S]\nK=a\0b\n\xff\xfe[", 13)));
    EXPECT_EQ(binary.GetString("S", "K", "d"), std::string("a\0b", 3));
}

TEST(IniProfile, WriteStringEditsInPlaceAndKeepsEverythingElse)
{
    TempFolder dir;
    const std::string original = "; my settings\n[AAPLAY Animation]\nInt2fSwitch=zip\nOther=1\n\n[Other]\nX=y\n";
    const std::string file = dir.Write("win.ini", original);
    platform::IniProfile ini(file);

    ASSERT_TRUE(ini.WriteString("aaplay animation", "INT2FSWITCH", "yes"));
    EXPECT_EQ(dir.Read("win.ini"), "; my settings\n[AAPLAY Animation]\nInt2fSwitch=yes\nOther=1\n\n[Other]\nX=y\n");

    ASSERT_TRUE(ini.WriteString("Other", "Z", "new"));
    ASSERT_TRUE(ini.WriteString("Fresh", "K", "v"));
    EXPECT_EQ(ini.GetString("Other", "Z", ""), "new");
    EXPECT_EQ(ini.GetString("Other", "X", ""), "y");
    EXPECT_EQ(ini.GetString("Fresh", "K", ""), "v");

    EXPECT_FALSE(ini.WriteString("S", "K", "two\nlines"));
    EXPECT_FALSE(ini.WriteString("S", "K=V", "x"));
    EXPECT_FALSE(ini.WriteString("S]", "K", "x"));
    EXPECT_EQ(ini.GetString("S", "K", "absent"), "absent");

    platform::IniProfile created(dir / "sub/folder/win.ini");
    ASSERT_TRUE(created.WriteString("AAPLAY Animation", "Int2fSwitch", "yes"));
    EXPECT_EQ(created.GetString("AAPLAY Animation", "Int2fSwitch", "zip"), "yes");
}
