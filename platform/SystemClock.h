#pragma once

#include "platform/Clock.h"

namespace platform {

class SystemClock : public Clock {
public:
    std::uint32_t Milliseconds() override;
    std::uint32_t Seconds() override;
    void Sleep(std::uint32_t milliseconds) override;
};

} // namespace platform
