// Sprite scripts: how the text reads, what it compiles to, what the
// reports say, and what a sprite does when its program runs.
#include "engine/sprites/mScript.h"
#include "engine/core/mFile.h"
#include "engine/sprites/mImage.h"
#include "engine/sprites/mSprite.h"

#include "TempFolder.h"
#include "WavBuilder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Inst {
    int opcode, value, target;
    bool operator==(const Inst& o) const { return opcode == o.opcode && value == o.value && target == o.target; }
};

std::ostream& operator<<(std::ostream& out, const Inst& i)
{
    return out << mScript::Keywords[i.opcode] << " " << i.value << " ->" << i.target;
}

class mScriptTest : public ::testing::Test {
public:

    // Compiles the text into the sprite as LoadScript does; the program.
    std::vector<Inst> Compile(const std::string& text, mSprite& into)
    {
        texts.push_back(text);
        mFile file;
        file.OpenMemory(texts.back().data(), long(texts.back().size()));
        result = into.LoadScript(file);
        file.CloseFile();
        std::vector<Inst> program;
        for (int i = 0; into.script && i < into.script->count; ++i) {
            const ProgInst& p = into.script->program[std::size_t(i)];
            program.push_back({p.opcode, p.value, p.target});
        }
        return program;
    }
    std::vector<Inst> Compile(const std::string& text) { return Compile(text, sprite); }
    std::vector<std::string> Reports() const
    {
        std::vector<std::string> shown;
        for (const auto& box : boxes.shown) shown.push_back(box.text);
        return shown;
    }

    EngineReports boxes;
    mSprite sprite;
    std::vector<std::string> texts; // memory scripts must outlive their reading
    int result = -1;
};

TEST_F(mScriptTest, LinesReadAsTheScriptWriterExpects)
{
    using S = mScript;
    struct Case {
        std::string text;
        std::vector<Inst> program;
    };
    const std::string longOperand = "DELAY 5" + std::string(90, ' ') + "HIDE\nSHOW";
    const std::vector<Case> cases = {
        {"frame=3\nFRAME 3\nFrAmE = 3", {{S::FRAME, 3, 0}, {S::FRAME, 3, 0}, {S::FRAME, 3, 0}}},
        {"FRAMES 3\n// FRAME 3\nRECT 1,2,3,4\nshow", {{S::SHOW, 0, 0}}},
        {":12\n: 5\nLABEL 7", {{S::COLON, 12, 0}, {S::COLON, 5, 0}, {S::LABEL, 7, 0}}},
        {"ADVANCEFRAME\nADVANCEFRAME 0\nADVANCEFRAME -1", {{S::ADVANCEFRAME, 1, 0}, {S::ADVANCEFRAME, 1, 0}, {S::ADVANCEFRAME, -1, 0}}},
        {"HIDE FRAME 3\nPOSX 12abc\nPOSY\nMOVEX -4", {{S::HIDE, 0, 0}, {S::POSX, 12, 0}, {S::POSY, 0, 0}, {S::MOVEX, -4, 0}}},
        // Numbers stay within 32 bits, as the platform's own long did.
        {"POSX 99999999999\nPOSY -99999999999", {{S::POSX, 2147483647, 0}, {S::POSY, -2147483647 - 1, 0}}},
        // The rest of an overlong operand's line is not read as keywords.
        {longOperand, {{S::DELAY, 5, 0}, {S::SHOW, 0, 0}}},
        // A byte-order mark and a text without a last line end.
        {"\xEF\xBB\xBFSHOW\nEND\nHIDE", {{S::SHOW, 0, 0}}},
        // Case is folded in ASCII only.
        {"sh\xC3\xB6w\nhide", {{S::HIDE, 0, 0}}},
    };
    for (const Case& c : cases) {
        mSprite fresh;
        EXPECT_EQ(c.program, Compile(c.text, fresh)) << c.text;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mScriptTest, JumpsFindTheirLabelsOrAreReported)
{
    using S = mScript;
    const auto program = Compile(":1\nLABEL 1\nIF 4,1\nIF 4\nIF 4,0\nGOTO\nGOTO 7\nLOOP 65537\nIFHITID 2,1");
    EXPECT_EQ(std::vector<Inst>({{S::COLON, 1, 0},
                                 {S::LABEL, 1, 0},
                                 {S::IF, 4, 0}, // the first of two labels 1
                                 {S::NOP, 0, 0},
                                 {S::IF, 4, 0}, // label 0 is not looked up
                                 {S::NOP, 0, 0},
                                 {S::NOP, 0, 0},
                                 {S::LOOP, 0, 0}, // label numbers keep 16 bits
                                 {S::IFHITID, 2, 0}}),
              program);
    EXPECT_EQ(std::vector<std::string>({"Missing parameter:IF", "Missing parameter:GOTO", "Label doesn't exist:7"}),
              Reports());
    EXPECT_EQ("mSprite", boxes.shown[0].caption);
    EXPECT_EQ(1, result);

    // An empty program leaves the sprite without one.
    mSprite empty;
    EXPECT_TRUE(Compile("// nothing\nEND\nSHOW", empty).empty());
    EXPECT_EQ(0, result);
    EXPECT_EQ(nullptr, empty.script);
}

TEST_F(mScriptTest, AProgramHoldsAtMost255Instructions)
{
    std::string text;
    for (int i = 0; i < 300; ++i) text += "MOVEX 1\n";
    EXPECT_EQ(255u, Compile(text).size());
    EXPECT_TRUE(boxes.shown.empty());
}

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

TEST_F(mScriptTest, TheExampleRunsAsDescribed)
{
    Compile("HITMASK 2\nLABEL 1\nIFHITID 2,9\nADVANCEFRAME\nMOVEX 4\nDELAY 80\nENDCYCLE\nIFFRAME 3,2\nGOTO 1\n"
            ":2\nFRAME 0\nGOTO 1\n:9\nHIDE\nEND\n");
    std::vector<std::uint32_t> frames;
    for (int i = 0; i < 7; ++i) {
        sprite.Step(0);
        frames.push_back(sprite.frame);
    }
    EXPECT_EQ(std::vector<std::uint32_t>({1, 2, 3, 1, 2, 3, 1}), frames);
    EXPECT_EQ(28, sprite.x);
    EXPECT_EQ(80u, sprite.delay);
    EXPECT_EQ(2u, sprite.hitMask);

    mSprite other;
    other.hitId = 3;
    sprite.Hit(&other);
    sprite.Step(0); // a hit of another id stays pending
    EXPECT_TRUE(sprite.Visible());
    EXPECT_NE(0u, sprite.state & mSprite::HitPending);
    other.hitId = 2;
    sprite.Hit(&other);
    sprite.Step(0);
    EXPECT_FALSE(sprite.Visible());
    EXPECT_EQ(0u, sprite.state & mSprite::HitPending);
    EXPECT_EQ(0, sprite.script->Run(sprite)); // the script has ended
}

// A sound that records how it is played.
struct RecordingSound : mImage {
    std::int32_t Play(std::uint32_t length, std::uint32_t passes) override
    {
        plays.push_back(std::to_string(length) + "/" + std::to_string(passes));
        return 1;
    }
    std::vector<std::string> plays;
};

TEST_F(mScriptTest, EachFamilyOfInstructionsWhenRun)
{
    struct Case {
        const char* text;
        std::function<void(const mSprite&)> check;
    };
    auto* first = new RecordingSound;
    auto* second = new RecordingSound;
    const std::vector<Case> cases = {
        {"FRAME 5\nADVANCEFRAME 2\nDELAY 30\nSPEED 50\nENDCYCLE\nFRAME 0",
         [](const mSprite& s) {
             EXPECT_EQ(7u, s.frame);
             EXPECT_EQ(30u, s.delay);
             EXPECT_EQ(50u, s.speed);
         }},
        {"POSX 5\nPOSY -3\nMOVEX 2\nMOVEY 2\nPOSZ 4\nMOVEZ 3\nENDCYCLE",
         [](const mSprite& s) {
             EXPECT_EQ(7, s.x);
             EXPECT_EQ(-1, s.y);
             EXPECT_EQ(7, s.z);
         }},
        {"HIDE\nHIDE\nSHOW\nENDCYCLE", [](const mSprite& s) { EXPECT_FALSE(s.Visible()); }},
        {"HIDE\nSHOW\nSHOW\nHIDE\nENDCYCLE", [](const mSprite& s) { EXPECT_FALSE(s.Visible()); }},
        {"HITID 9\nHITMASK 3\nHITDEPTH 5\nIFHIT 1\nFRAME 1\nENDCYCLE\n:1\nFRAME 2",
         [](const mSprite& s) {
             EXPECT_EQ(9u, s.hitId);
             EXPECT_EQ(3u, s.hitMask);
             EXPECT_EQ(5, s.hitDepth);
             EXPECT_EQ(1u, s.frame); // no hit pending: IFHIT falls through
         }},
        // The sprite holds its sounds and deletes them with itself.
        {"SOUND 1\nSOUND 5\nENDCYCLE",
         [&](const mSprite&) {
             EXPECT_EQ(std::vector<std::string>({"0/1"}), second->plays);
             EXPECT_TRUE(first->plays.empty());
         }},
    };
    for (const Case& c : cases) {
        mSprite fresh;
        if (std::string(c.text).rfind("SOUND", 0) == 0) {
            fresh.AddSound(first);
            fresh.AddSound(second);
        }
        Compile(c.text, fresh);
        fresh.Step(0);
        c.check(fresh);
    }

    // A hit by a mask: the flag test matches, the jump clears the hit.
    mSprite hit;
    Compile("IFHITMASK 6,1\nFRAME 1\nENDCYCLE\n:1\nFRAME 2\nENDCYCLE", hit);
    mSprite other;
    other.hitId = 4;
    hit.Hit(&other);
    hit.Step(0);
    EXPECT_EQ(2u, hit.frame);
    EXPECT_EQ(0u, hit.state & mSprite::HitPending);
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

TEST_F(mScriptTest, ScriptsThatNeverStopStillEndTheirStep)
{
    // A cycle of jumps without an instruction that ends the step: three
    // instructions a round.
    Compile(":1\nMOVEX 1\nGOTO 1\n");
    sprite.Step(0);
    EXPECT_EQ(mScript::StepLimit / 3, sprite.x);

    // Catch-up with a delay of 0 would repeat the step for ever.
    mSprite late;
    Compile("DELAY 0\nMOVEY 1\nENDCYCLE\nGOTO 1\n:1\n", late);
    late.SetCatchUp(true);
    late.Step(100000);
    EXPECT_EQ(1, late.y);

    // Positions wrap at 32 bits instead of overflowing.
    mSprite far;
    Compile("POSX 2147483647\nMOVEX 1\nENDCYCLE\n", far);
    far.Step(0);
    EXPECT_EQ(-2147483647 - 1, far.x);
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

} // namespace
