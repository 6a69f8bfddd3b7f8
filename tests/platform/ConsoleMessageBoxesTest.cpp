#include "platform/ConsoleMessageBoxes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

struct Console {
    explicit Console(const std::string& input) : in(std::tmpfile()), out(std::tmpfile())
    {
        std::fputs(input.c_str(), in);
        std::rewind(in);
    }
    ~Console()
    {
        std::fclose(in);
        std::fclose(out);
    }
    std::string Printed()
    {
        std::rewind(out);
        std::string s;
        for (int c; (c = std::fgetc(out)) != EOF;) s += static_cast<char>(c);
        return s;
    }
    std::FILE* in;
    std::FILE* out;
};

} // namespace

TEST(ConsoleMessageBoxes, AsksUntilItGetsAnAnswer)
{
    Console console("maybe\n\nYes please\nn\n");
    platform::ConsoleMessageBoxes boxes(console.in, console.out);
    EXPECT_EQ(boxes.Show("Game Over.  Play Again?", "Game Over", platform::MB_YESNO), platform::IDYES);
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNO), platform::IDNO);
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNO), platform::IDNO) << "end of input says no";
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNOCANCEL), platform::IDCANCEL);
    EXPECT_NE(console.Printed().find("[Game Over] Game Over.  Play Again?\n"), std::string::npos);
}

TEST(ConsoleMessageBoxes, InformationBoxesReadNothing)
{
    Console console("y\n");
    platform::ConsoleMessageBoxes boxes(console.in, console.out);
    EXPECT_EQ(boxes.Show("Missing images in INI file!", "INI File Error", platform::MB_ICONERROR), platform::IDOK);
    EXPECT_EQ(boxes.Show("Again?", "Game Over", platform::MB_YESNO), platform::IDYES) << "the input is still there";
}
