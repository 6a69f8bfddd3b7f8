#include "game/GameSettings.h"

#include "doubles/ScriptedMessageBoxes.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class GameSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsKey("CGameWnd", "Software\\Quillory\\Pairlet"); }

    TempConfigHome home;
    ScriptedMessageBoxes boxes;
};

} // namespace

TEST_F(GameSettingsTest, AnIndivisibleGridBecomesTheDefaultAndIsStored)
{
    WriteNumber("rows", 4);
    WriteNumber("columns", 5);
    WriteNumber("match", 3);
    const GameSettings s = LoadGameSettings(boxes);
    EXPECT_EQ(s.rows, 6);
    EXPECT_EQ(s.columns, 6);
    EXPECT_EQ(s.pictures, 12);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Total tiles must be evenly divisible by 3 for Match 3.  Setting grid to default.");
    EXPECT_EQ(boxes.shown[0].caption, "Changing to Default Grid");
    EXPECT_EQ(boxes.shown[0].style, platform::MB_ICONEXCLAMATION | platform::MB_OK);
    EXPECT_EQ(ReadNumber("rows", 0), 6);
    EXPECT_EQ(ReadNumber("columns", 0), 6);

    WriteNumber("rows", 7);
    WriteNumber("columns", 6);
    WriteNumber("match", 4);
    EXPECT_EQ(LoadGameSettings(boxes).count, 36);
    EXPECT_EQ(boxes.shown.back().text,
              "Total tiles must be evenly divisible by 4 for Match 4.  Setting grid to default.");
}

TEST_F(GameSettingsTest, SplitIsReadOnlyForMatchFour)
{
    WriteNumber("split", 1);
    EXPECT_EQ(LoadGameSettings(boxes).split, 0);
    WriteNumber("match", 3);
    EXPECT_EQ(LoadGameSettings(boxes).split, 0);
    WriteNumber("match", 4);
    WriteNumber("rows", 8);
    WriteNumber("columns", 9);
    const GameSettings s = LoadGameSettings(boxes);
    EXPECT_EQ(s.split, 1);
    EXPECT_EQ(s.pictures, 18);
}

// A desktop that asks for less motion starts the animation off; what the
// player chose, either way, is kept.
TEST_F(GameSettingsTest, TheAnimationDefaultHoldsOnlyUntilThePlayerChooses)
{
    EXPECT_EQ(0, LoadGameSettings(boxes, 0).animation);
    EXPECT_EQ(1, LoadGameSettings(boxes).animation);
    WriteNumber("animation", 1);
    EXPECT_EQ(1, LoadGameSettings(boxes, 0).animation);
    WriteNumber("animation", 0);
    EXPECT_EQ(0, LoadGameSettings(boxes, 1).animation);
}
