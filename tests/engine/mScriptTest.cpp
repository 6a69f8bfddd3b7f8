// Sprite scripts: where their sounds come from, what flags and pauses do,
// and how a second script's jumps are resolved.
#include "engine/sprites/mScript.h"
#include "engine/core/mFile.h"
#include "engine/sprites/mSprite.h"

#include "TempFolder.h"
#include "WavBuilder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <string>
#include <vector>

namespace {

class mScriptTest : public ::testing::Test {
public:
    // Compiles the text into the sprite as LoadScript does.
    void Compile(const std::string& text)
    {
        texts.push_back(text);
        mFile file;
        file.OpenMemory(texts.back().data(), long(texts.back().size()));
        sprite.LoadScript(file);
        file.CloseFile();
    }

    EngineReports boxes;
    mSprite sprite;
    std::vector<std::string> texts; // memory scripts must outlive their reading
};

TEST_F(mScriptTest, SoundsComeFromTheScriptsFolderInTheOrderLoaded)
{
    TempFolder folder;
    folder.Write("beep.wav", WavBuilder{}.File(WavBuilder::Samples(100)));
    const std::string path = folder.Write("scene.txt", "WAVEFILE missing.wav\nWAVEFILE beep.wav  \nSOUND 0\n");
    mFile file;
    ASSERT_TRUE(file.OpenFile(path.c_str()));
    EXPECT_EQ(1, sprite.LoadScript(file));
    ASSERT_EQ(3, sprite.script->count);
    // The file's own report, then the script's.
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("mSprite", boxes.shown[1].caption);
    EXPECT_EQ(0u, boxes.shown[1].text.rfind("File open error:" + folder.Path().substr(0, 20), 0)) << boxes.shown[1].text;
    // The one sound that loaded is sound 0.
    EXPECT_EQ(1, sprite.PlaySound(0, 0, 1));
    EXPECT_EQ(0, sprite.PlaySound(1, 0, 1));
    file.CloseFile();
}

// A keyword without what it needs is told by name and does nothing.
TEST_F(mScriptTest, AKeywordMissingItsOperandIsToldByName)
{
    Compile("IF 3\nGOTO\nFRAME 4\n");
    EXPECT_EQ((std::vector<std::string>{"Missing parameter:IF", "Missing parameter:GOTO"}), boxes.Texts());
    EXPECT_EQ("mSprite", boxes.shown[0].caption);
    sprite.Step(0);
    EXPECT_EQ(4u, sprite.frame);
}

TEST_F(mScriptTest, FlagsPauseAndRestart)
{
    Compile("SET 6\nCLEAR 3\nIF 2,5\nIFNOT 2,6\n:5\nFRAME 50\n:6\nPAUSE\nFRAME 7\nENDCYCLE\nSPEED 0\nDELAY 10\n");
    sprite.Step(0);
    EXPECT_EQ(4u, sprite.userFlags) << "flag 1 was not set and stays clear";
    EXPECT_EQ(0u, sprite.frame); // IFNOT 2 jumped over FRAME 50
    EXPECT_NE(0u, sprite.state & mSprite::Paused);
    sprite.Step(0); // paused: nothing runs
    EXPECT_EQ(0u, sprite.frame);
    sprite.Resume();
    sprite.Step(0);
    EXPECT_EQ(7u, sprite.frame);
    // SPEED 0 counts as the slowest speed instead of dividing by nothing.
    sprite.Step(0);
    EXPECT_EQ(1u, sprite.speed);
    sprite.SetSpeed(sprite.speed);
    EXPECT_EQ(1000u, sprite.delay);
    sprite.PlayFrom(8);
    sprite.Step(0);
    EXPECT_EQ(7u, sprite.frame);
}

// A late sprite makes up its lateness with further steps, but a PAUSE
// holds it until it is resumed.
TEST_F(mScriptTest, CatchingUpStopsAtAPause)
{
    Compile("ADVANCEFRAME\nDELAY 10\nPAUSE\nADVANCEFRAME\nDELAY 10\nENDCYCLE\n");
    sprite.SetCatchUp(true);
    sprite.Step(100);
    EXPECT_EQ(1u, sprite.frame);
    EXPECT_NE(0u, sprite.state & mSprite::Paused);
    sprite.Step(100);
    EXPECT_EQ(1u, sprite.frame) << "still paused";
    sprite.Resume();
    sprite.Step(0);
    EXPECT_EQ(2u, sprite.frame) << "on after the PAUSE";
}

TEST_F(mScriptTest, ASecondScriptLeavesTheFirstOnesJumpsAlone)
{
    // The first script's GOTO points at index 2, which as a label number
    // would name the second script's label 2.
    Compile("NOP\nNOP\n:1\nENDCYCLE\nGOTO 1\n");
    Compile(":2\nGOTO 2\n:1\n");
    ASSERT_EQ(8, sprite.script->count);
    EXPECT_EQ(2, sprite.script->program[4].target); // still the first script's label 1
    EXPECT_EQ(5, sprite.script->program[6].target);
    EXPECT_TRUE(boxes.shown.empty());
}

// A script goes with the last sprite that holds it.
TEST_F(mScriptTest, AScriptGoesWithItsSprite)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the leak sanitizer tells this in that build";
#endif
    const std::string text = "NOP\nFRAME 2\n:1\nGOTO 1\n";
    const auto loadAndDrop = [&text] {
        mSprite held;
        mFile file;
        file.OpenMemory(text.data(), long(text.size()));
        held.LoadScript(file);
        file.CloseFile();
    };
    loadAndDrop(); // what is made once, on first use
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 1000; ++i) loadAndDrop();
    EXPECT_LT(mallinfo2().uordblks, before + 16384);
    EXPECT_EQ(std::vector<std::string>{}, boxes.Texts());
}

} // namespace
