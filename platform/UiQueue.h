#pragma once

#include <functional>

namespace platform {

// Runs tasks on the user-interface thread, one after the other in the order
// they were posted. Post may be called from any thread.
class UiQueue {
public:
    virtual ~UiQueue() = default;
    virtual void Post(std::function<void()> task) = 0;
};

} // namespace platform
