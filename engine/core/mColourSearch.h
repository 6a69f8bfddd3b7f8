#pragma once

#include <cstdint>
#include <vector>

// The nearest colour of a colour table, as mBitmap::NearestColor finds it
// (the first entry within distance 1, else the first of the least
// distance), for many colours at a time: the entries are sorted by red
// once, and only those whose red alone is not farther than the best so
// far are looked at. The table must outlive the search.
class mColourSearch {
public:
    explicit mColourSearch(const std::vector<std::uint32_t>& colours);

    // hint: an entry likely to be near (a neighbour's answer), which keeps
    // the search narrow from the start.
    int Find(int red, int green, int blue, int hint = 0) const;

private:
    // Ranked by (distance, or 0 within distance 1; index).
    struct Best {
        long rank = -1;
        int index = 0;
    };
    int Red(int i) const { return int(colours_[std::size_t(i)] >> 16 & 0xFF); }
    bool Within(int i, int red, const Best& best) const;
    void Consider(int i, int red, int green, int blue, Best& best) const;

    const std::vector<std::uint32_t>& colours_;
    std::vector<int> byRed_;
};
