#pragma once
// The rules a board keeps after any action, shared by the board's random
// play test and the soak of the whole game.
#include "game/Board.h"

#include <map>
#include <set>
#include <string>

// What is wrong with the board, or nothing: every picture is dealt exactly
// match times (with corners, each of its four quarters once); the selection
// is below the match number, holds no tile twice and shows one picture.
inline std::string BrokenBoardRule(const Board& board)
{
    const GameSettings& s = board.Settings();
    std::map<int, std::multiset<int>> dealt;
    for (int i = 0; i < board.Count(); ++i) dealt[board.TileAtIndex(i).picture].insert(board.TileAtIndex(i).quarter);
    if (int(dealt.size()) != s.pictures) return "the deal has " + std::to_string(dealt.size()) + " pictures";
    for (const auto& [picture, quarters] : dealt) {
        if (int(quarters.size()) != s.match) return "picture " + std::to_string(picture) + " is dealt wrongly often";
        const bool whole = quarters.count(0) == quarters.size();
        if (s.split ? quarters != std::multiset<int>{0, 1, 2, 3} : !whole) return "quarters dealt wrongly";
    }
    const std::vector<int>& selection = board.Selection();
    if (int(selection.size()) >= s.match) return "the selection reached the match number";
    if (std::set<int>(selection.begin(), selection.end()).size() != selection.size()) return "a tile is selected twice";
    for (int tile : selection)
        if (tile < 0 || tile >= board.Count() || board.TileAtIndex(tile).picture != board.SelectionPicture())
            return "the selection holds another picture";
    return "";
}
