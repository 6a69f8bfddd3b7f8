#pragma once

#include "platform/Clock.h"

// Time that moves only when told to; Sleep advances it.
class FakeClock : public platform::Clock {
public:
    std::uint32_t Milliseconds() override { return ms; }
    std::uint32_t Seconds() override { return seconds; }
    void Sleep(std::uint32_t milliseconds) override
    {
        ms += milliseconds;
        slept += milliseconds;
    }

    std::uint32_t ms = 0;
    std::uint32_t seconds = 1000;
    std::uint32_t slept = 0;
};
