#include "platform/HostPathMap.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(HostPathMap, FindsWindowsNamesWhateverTheirCase)
{
    TempFolder dir;
    dir.Write("Bmp/Cat.BMP", "x");
    dir.Write("sounds/frog.wav", "y");
    platform::HostPathMap map;

    EXPECT_EQ(map.Resolve(dir.Path() + "\\bmp\\cat.bmp"), dir / "Bmp/Cat.BMP");
    EXPECT_EQ(map.Resolve(dir.Path() + "\\SOUNDS\\FROG.WAV"), dir / "sounds/frog.wav");
    EXPECT_EQ(map.Resolve(dir / "sounds/frog.wav"), dir / "sounds/frog.wav") << "exact names pass unchanged";

    std::FILE* f = map.Open(dir.Path() + "\\BMP\\cat.bmp", "rb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
}

TEST(HostPathMap, ResolvesRelativeNamesFromTheCurrentFolder)
{
    TempFolder dir;
    dir.Write("anim/Cat.flc", "x");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    platform::HostPathMap map;
    const std::string resolved = map.Resolve("ANIM\\cat.FLC");
    std::filesystem::current_path(previous);
    EXPECT_EQ(resolved, "anim/Cat.flc");
}

TEST(HostPathMap, MissingNamesOnlyChangeTheirSeparators)
{
    TempFolder dir;
    dir.Write("bmp/cat.bmp", "x");
    platform::HostPathMap map;

    EXPECT_EQ(map.Resolve(dir.Path() + "\\bmp\\dog.bmp"), dir / "bmp/dog.bmp");
    EXPECT_EQ(map.Resolve(dir.Path() + "\\none\\cat.bmp"), dir / "none/cat.bmp");
    EXPECT_EQ(map.Resolve("none"), "none");
    EXPECT_EQ(map.Resolve(""), "");
    EXPECT_EQ(map.Open(dir.Path() + "\\bmp\\dog.bmp", "rb"), nullptr);
}
