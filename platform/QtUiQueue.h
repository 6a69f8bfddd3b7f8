#pragma once

#include "platform/UiQueue.h"

namespace platform {

// Tasks become queued calls on the application object, so they run from
// Qt's event loop, also while a modal dialog or message box is up.
class QtUiQueue : public UiQueue {
public:
    void Post(std::function<void()> task) override;
};

} // namespace platform
