#pragma once

#include <algorithm>
#include <chrono>

// The shortest of five runs of body, in seconds: the least disturbed one.
template <typename Body> double BestSeconds(Body body)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        body();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}
