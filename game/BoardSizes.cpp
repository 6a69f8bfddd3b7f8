#include "game/BoardSizes.h"

#include "game/GameSettings.h"

#include <algorithm>

std::vector<BoardSize> BoardSizes::All()
{
    std::vector<BoardSize> all;
    for (int match = GameSettings::MinMatch; match <= GameSettings::MaxMatch; ++match)
        for (int rows = GameSettings::MinRows; rows <= GameSettings::MaxRows; ++rows)
            for (int columns = GameSettings::MinColumns; columns <= GameSettings::MaxColumns; ++columns)
                // The settings turn any other grid into the default one.
                if (rows * columns % match == 0) all.push_back({rows, columns, match});
    return all;
}

namespace {

bool FewerPictures(const BoardSize& a, const BoardSize& b)
{
    return a.Pictures() < b.Pictures();
}

} // namespace

BoardSize BoardSizes::Smallest()
{
    const auto all = All();
    return *std::min_element(all.begin(), all.end(), FewerPictures);
}

BoardSize BoardSizes::Largest()
{
    const auto all = All();
    return *std::max_element(all.begin(), all.end(), FewerPictures);
}
