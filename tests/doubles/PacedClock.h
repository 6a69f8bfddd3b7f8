#pragma once

#include "doubles/FakeClock.h"

#include <functional>

// Time that moves only when told to, and work to do at every pause of a
// loop that sleeps once per pass.
class PacedClock : public FakeClock {
public:
    void Sleep(std::uint32_t milliseconds) override
    {
        FakeClock::Sleep(milliseconds);
        ++pauses;
        if (onPause) onPause(pauses);
    }
    int pauses = 0;
    std::function<void(int)> onPause;
};
