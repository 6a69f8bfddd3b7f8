// Which pack the game and the terminal game play: the one named, else the
// current folder's, else the one beside the program, else the installed one.
#include "platform/PackFolder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class PackFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* pack : {"mine", "beside", "installed"}) folder.Write(std::string(pack) + "/Pairlet.ini", "[Tiles]\n");
        folder.Write("mine/other.ini", "[Tiles]\n");
        fs::create_directories(folder / "empty");
    }
    std::string At(const char* name) const { return folder / name; }

    TempFolder folder;
};

TEST_F(PackFolderTest, FindsThePackWhoseFilesItReads)
{
    struct Case {
        const char* what;
        std::string argument, current, program;
        const char* folder; // nullptr: a problem naming the argument
        const char* file;
    };
    const std::string none;
    const std::vector<Case> cases = {
        {"a named pack", At("mine"), At("beside"), At("beside"), "mine", "Pairlet.ini"},
        {"a named content file", At("mine") + "/other.ini", At("beside"), At("beside"), "mine", "other.ini"},
        {"a named folder that is no pack", At("empty"), At("mine"), At("beside"), nullptr, nullptr},
        {"a named folder that is not there", At("gone"), At("mine"), At("beside"), nullptr, nullptr},
        {"the current folder's pack first", none, At("mine"), At("beside"), "mine", "Pairlet.ini"},
        {"then the one beside the program", none, At("empty"), At("beside"), "beside", "Pairlet.ini"},
        {"then the installed one", none, At("empty"), At("empty"), "installed", "Pairlet.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto pack = platform::PackFolder::Find({c.argument, c.current, c.program, At("installed")});
        if (!c.folder) {
            EXPECT_EQ(std::string(), pack.folder);
            EXPECT_NE(std::string::npos, pack.problem.find("'" + c.argument + "' is no Pairlet pack")) << pack.problem;
            continue;
        }
        EXPECT_EQ(std::string(), pack.problem);
        EXPECT_EQ(At(c.folder), pack.folder);
        EXPECT_EQ(At(c.folder) + "/" + c.file, pack.contentFile);
    }
    // With no pack anywhere, the program's folder, where the game reports
    // the missing content as it does today.
    fs::remove(folder / "installed/Pairlet.ini");
    const auto nowhere = platform::PackFolder::Find({"", At("empty"), At("beside") + "/..", At("installed")});
    EXPECT_EQ(folder.Path(), nowhere.folder);
    EXPECT_EQ(std::string(), nowhere.problem);
}

} // namespace
