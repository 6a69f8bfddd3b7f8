#include "platform/SystemClock.h"

#include <chrono>
#include <thread>

namespace platform {

std::uint32_t SystemClock::Milliseconds()
{
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(ms); // wraps like a 32-bit tick count
}

std::uint32_t SystemClock::Seconds()
{
    using namespace std::chrono;
    auto s = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(s);
}

void SystemClock::Sleep(std::uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace platform
