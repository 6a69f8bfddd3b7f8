#pragma once

#include "platform/UiQueue.h"

#include <deque>
#include <mutex>

// Keeps posted tasks until the test runs them, as an event loop would.
// Tasks may be posted from any thread.
class ManualUiQueue : public platform::UiQueue {
public:
    void Post(std::function<void()> task) override
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    // Runs what is queued, also what those tasks post; the number run.
    int RunAll()
    {
        int ran = 0;
        for (;;) {
            std::function<void()> task;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (tasks_.empty()) return ran;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
            ++ran;
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};
