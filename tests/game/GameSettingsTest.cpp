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

TEST_F(GameSettingsTest, DefaultsWhenNothingIsStored)
{
    const GameSettings s = LoadGameSettings(boxes);
    EXPECT_EQ(s.animation, 1);
    EXPECT_EQ(s.sound, 1);
    EXPECT_EQ(s.useCdAnim, 0);
    EXPECT_EQ(s.rows, 6);
    EXPECT_EQ(s.columns, 6);
    EXPECT_EQ(s.match, 2);
    EXPECT_EQ(s.split, 0);
    EXPECT_EQ(s.count, 36);
    EXPECT_EQ(s.pictures, 18);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(GameSettingsTest, OutOfRangeValuesAreCorrectedWithoutWritingBack)
{
    WriteNumber("rows", 9);
    WriteNumber("columns", 9);
    WriteNumber("match", 5);
    WriteNumber("animation", 7);
    const GameSettings s = LoadGameSettings(boxes);
    EXPECT_EQ(s.rows, 6);
    EXPECT_EQ(s.columns, 9);
    EXPECT_EQ(s.match, 2);
    EXPECT_EQ(s.animation, 7) << "switches are used as stored";
    EXPECT_EQ(ReadNumber("rows", 0), 9);
    EXPECT_EQ(ReadNumber("match", 0), 5);
    EXPECT_TRUE(boxes.shown.empty());

    WriteNumber("rows", 3);
    WriteNumber("columns", -1);
    WriteNumber("match", 1);
    const GameSettings low = LoadGameSettings(boxes);
    EXPECT_EQ(low.rows * 100 + low.columns * 10 + low.match, 662);
}

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
