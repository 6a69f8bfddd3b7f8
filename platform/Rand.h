#pragma once

#include <cstdint>

namespace platform {

// The game's random source. Results lie in 0 … RandMax; every caller reduces
// them with `r % n`, so the range is part of the game's behaviour.
class Rand {
public:
    static constexpr int RandMax = 32767;

    virtual ~Rand() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    virtual int Next() = 0;
};

} // namespace platform
