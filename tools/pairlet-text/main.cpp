// pairlet-text: the game's rules in a terminal. The board, settings and
// content file are the game's own; tiles show their picture names.
//
//   pairlet-text [FOLDER | CONTENT-FILE]
//
// The pack is found as the game finds it: the one named, else the current
// folder's, else the one beside the program, else the installed one.
//
// Type a tile as "row column" (from 1), "n" for a new game, "q" to quit.
#include "TextGameActions.h"

#include "game/Board.h"
#include "platform/ConsoleMessageBoxes.h"
#include "platform/CrtRand.h"
#include "platform/IniProfile.h"
#include "platform/PackFolder.h"
#include "platform/SystemClock.h"
#include "shell/SettingsStore.h"

#include <cstdio>
#include <string>

namespace {

// Each tile is this many client pixels, so a click can be placed on it.
constexpr int CellPixels = 100;

std::string Cell(const Board& board, int tile)
{
    const Tile& t = board.TileAtIndex(tile);
    if (t.state == FaceDown) return "[ ? ]";
    if (t.state == Matched) return "  .  ";
    std::string name = board.Content().TileName(t.picture).substr(0, 5);
    if (board.Settings().split) name = name.substr(0, 3) + "/" + std::to_string(t.quarter);
    return name + std::string(5 - name.size(), ' ');
}

void PrintBoard(const Board& board)
{
    const GameSettings& s = board.Settings();
    std::printf("\n     ");
    for (int c = 1; c <= s.columns; ++c) std::printf("  %-4d", c);
    std::printf("\n");
    for (int r = 0; r < s.rows; ++r) {
        std::printf("%3d  ", r + 1);
        for (int c = 0; c < s.columns; ++c) std::printf("%s ", Cell(board, r * s.columns + c).c_str());
        std::printf("\n");
    }
}

void Repaint(Board& board)
{
    board.Paint(board.Settings().columns * CellPixels, board.Settings().rows * CellPixels - 1);
}

} // namespace

int main(int argc, char** argv)
{
    SetSettingsKey("CGameWnd", "Software\\Quillory\\Pairlet");
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::printf("usage: pairlet-text [FOLDER | CONTENT-FILE]\n");
        return 0;
    }
    const platform::PackFolder pack = platform::PackFolder::ForProgram(argc > 1 ? argv[1] : "", PAIRLET_CONTENT_FROM_BIN);
    if (!pack.problem.empty()) {
        std::fprintf(stderr, "pairlet-text: %s\n", pack.problem.c_str());
        return 2;
    }
    platform::IniProfile content(pack.contentFile);
    platform::ConsoleMessageBoxes boxes;
    platform::CrtRand rand;
    platform::SystemClock clock;
    ContentFile names(content);
    TextGameActions actions(names, clock, stdout);
    Board board(actions, boxes, content, rand, clock);
    actions.showBoard = [&board] { PrintBoard(board); };

    board.NewGame();
    Repaint(board);
    char line[128];
    while (!actions.closeRequested) {
        if (actions.restartRequested) {
            actions.restartRequested = false;
            board.NewGame();
            Repaint(board);
        }
        PrintBoard(board);
        std::printf("tile (row column), n = new game, q = quit: ");
        std::fflush(stdout);
        if (!std::fgets(line, sizeof line, stdin) || line[0] == 'q') break;
        if (line[0] == 'n') {
            actions.PostRestart();
            continue;
        }
        int row = 0, column = 0;
        if (std::sscanf(line, "%d %d", &row, &column) != 2) continue;
        board.Click((column - 1) * CellPixels + CellPixels / 2, (row - 1) * CellPixels + CellPixels / 2);
        Repaint(board);
    }
    if (board.Settings().sound) actions.PlaySound(board.ByeSound(), true);
    return 0;
}
