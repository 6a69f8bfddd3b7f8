#pragma once

#include <cstdint>

namespace platform {

// Time as the game sees it: a wrapping millisecond tick count for pacing and
// whole wall-clock seconds for seeding the random generator.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t Milliseconds() = 0;
    virtual std::uint32_t Seconds() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

} // namespace platform
