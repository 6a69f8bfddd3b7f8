#include "engine/core/mColourSearch.h"

#include <algorithm>

mColourSearch::mColourSearch(const std::vector<std::uint32_t>& colours) : colours_(colours)
{
    // A colour met again can never win over its first entry: by colour,
    // then index, the first of each colour stays.
    for (std::size_t i = 0; i < colours.size(); ++i) byRed_.push_back(int(i));
    const auto rgb = [this](int i) { return colours_[std::size_t(i)] & 0xFFFFFF; };
    std::sort(byRed_.begin(), byRed_.end(), [&rgb](int a, int b) { return rgb(a) != rgb(b) ? rgb(a) < rgb(b) : a < b; });
    byRed_.erase(std::unique(byRed_.begin(), byRed_.end(), [&rgb](int a, int b) { return rgb(a) == rgb(b); }),
                 byRed_.end());
    // Red is the highest part of the colour: the order is by red already.
}

int mColourSearch::Find(int red, int green, int blue, int hint) const
{
    if (byRed_.empty()) return 0;
    const auto start =
        std::lower_bound(byRed_.begin(), byRed_.end(), red, [this](int i, int r) { return Red(i) < r; });
    Best best;
    if (hint >= 0 && std::size_t(hint) < colours_.size()) Consider(hint, red, green, blue, best);
    for (auto up = start; up != byRed_.end() && Within(*up, red, best); ++up) Consider(*up, red, green, blue, best);
    for (auto down = start; down != byRed_.begin() && Within(*(down - 1), red, best); --down)
        Consider(*(down - 1), red, green, blue, best);
    return best.index;
}

bool mColourSearch::Within(int i, int red, const Best& best) const
{
    const long dr = Red(i) - red;
    return best.rank < 0 || dr * dr <= std::max(best.rank, 1L);
}

void mColourSearch::Consider(int i, int red, int green, int blue, Best& best) const
{
    const std::uint32_t c = colours_[std::size_t(i)];
    const long dr = long(c >> 16 & 0xFF) - red, dg = long(c >> 8 & 0xFF) - green, db = long(c & 0xFF) - blue;
    const long d = dr * dr + dg * dg + db * db;
    const long rank = d <= 1 ? 0 : d;
    if (best.rank < 0 || rank < best.rank || (rank == best.rank && i < best.index)) best = {rank, i};
}
