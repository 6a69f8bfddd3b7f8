#include "platform/ConsoleMessageBoxes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(ConsoleMessageBoxes, AsksOnlyWhenThereIsAChoiceAndUntilItGetsAnAnswer)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fputs("maybe\n\nYes please\nn\n", in);
    std::rewind(in);
    platform::ConsoleMessageBoxes boxes(in, out);

    EXPECT_EQ(boxes.Show("Missing images in INI file!", "INI File Error", platform::MB_ICONERROR), platform::IDOK);
    EXPECT_EQ(boxes.Show("Game Over.  Play Again?", "Game Over", platform::MB_YESNO), platform::IDYES);
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNO), platform::IDNO);
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNO), platform::IDNO) << "end of input says no";
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNOCANCEL), platform::IDCANCEL);

    std::rewind(out);
    char first[64] = {};
    std::fgets(first, sizeof first, out); // the blank line before each box
    std::fgets(first, sizeof first, out);
    EXPECT_STREQ(first, "[INI File Error] Missing images in INI file!\n");
    std::fclose(in);
    std::fclose(out);
}
