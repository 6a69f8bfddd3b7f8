#include "PackAdvice.h"

#include "game/BoardSizes.h"
#include "game/GameSettings.h"

namespace {

std::string Grid(int rows, int columns)
{
    return std::to_string(rows) + " × " + std::to_string(columns);
}

std::string Board(const BoardSize& b)
{
    return Grid(b.rows, b.columns) + ", Match " + std::to_string(b.match);
}

// The boards of one match number the pictures fill, or "every board".
std::string Filled(int match, int pictures)
{
    std::string grids;
    bool all = true;
    for (const BoardSize& b : BoardSizes::All()) {
        if (b.match != match) continue;
        if (b.Pictures() > pictures) {
            all = false;
            continue;
        }
        grids += (grids.empty() ? "" : ", ") + Grid(b.rows, b.columns);
    }
    if (all) return "every board";
    return grids.empty() ? "no board" : grids;
}

} // namespace

bool PackAdvice::Enough(int pictures)
{
    return pictures >= BoardSizes::Smallest().Pictures();
}

std::vector<std::string> PackAdvice::For(int pictures)
{
    const BoardSize smallest = BoardSizes::Smallest(), largest = BoardSizes::Largest();
    const std::string count = std::to_string(pictures) + (pictures == 1 ? " picture" : " pictures");
    if (pictures < smallest.Pictures())
        return {count + (pictures == 1 ? " is" : " are") + " too few: the smallest board (" + Board(smallest) + ") needs " +
                std::to_string(smallest.Pictures()) + "."};
    if (pictures >= largest.Pictures()) return {};
    std::vector<std::string> lines = {count + " do not fill every board. They fill:"};
    for (int match = GameSettings::MinMatch; match <= GameSettings::MaxMatch; ++match)
        lines.push_back("  Match " + std::to_string(match) + ": " + Filled(match, pictures));
    const BoardSize standard{GameSettings::DefaultRows, GameSettings::DefaultColumns, GameSettings::DefaultMatch};
    lines.push_back("The default board (" + Board(standard) + ") needs " + std::to_string(standard.Pictures()) +
                    ", the largest (" + Board(largest) + ") " + std::to_string(largest.Pictures()) +
                    "; choose a board in Grid Settings.");
    return lines;
}
