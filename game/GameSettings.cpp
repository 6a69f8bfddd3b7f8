#include "game/GameSettings.h"

#include "platform/MessageBoxes.h"
#include "shell/SettingsStore.h"
#include "platform/Texts.h"

#include <cstdio>

namespace {

int InRangeOr(int value, int low, int high, int fallback)
{
    return value < low || value > high ? fallback : value;
}

void ResetIndivisibleGrid(GameSettings& s, platform::MessageBoxes& boxes)
{
    s.rows = GameSettings::DefaultRows;
    s.columns = GameSettings::DefaultColumns;
    s.count = s.rows * s.columns; // 36 divides by every match number
    WriteNumber("rows", s.rows);
    WriteNumber("columns", s.columns);

    const std::string match = std::to_string(s.match);
    boxes.Show(platform::Arg(platform::Tr("Messages", "Total tiles must be evenly divisible by %1 for Match %2.  "
                                                      "Setting grid to default."),
                             {match, match}),
               platform::Tr("Messages", "Changing to Default Grid"), platform::MB_ICONEXCLAMATION | platform::MB_OK);
}

} // namespace

GameSettings LoadGameSettings(platform::MessageBoxes& boxes, int animationDefault)
{
    GameSettings s;
    s.animation = ReadNumber("animation", animationDefault);
    s.sound = ReadNumber("sound", 1);
    s.useCdAnim = ReadNumber("use_cd_anim", 0);

    s.rows = InRangeOr(ReadNumber("rows", GameSettings::DefaultRows), GameSettings::MinRows,
                       GameSettings::MaxRows, GameSettings::DefaultRows);
    s.columns = InRangeOr(ReadNumber("columns", GameSettings::DefaultColumns), GameSettings::MinColumns,
                          GameSettings::MaxColumns, GameSettings::DefaultColumns);
    s.count = s.rows * s.columns;
    s.match = InRangeOr(ReadNumber("match", GameSettings::DefaultMatch), GameSettings::MinMatch,
                        GameSettings::MaxMatch, GameSettings::DefaultMatch);

    if (s.count % s.match != 0) ResetIndivisibleGrid(s, boxes);

    s.split = 0;
    if (s.match == 4) s.split = ReadNumber("split", 0);
    s.pictures = s.count / s.match;
    s.players = ReadNumber("players", 1) == 2 ? 2 : 1;
    return s;
}
