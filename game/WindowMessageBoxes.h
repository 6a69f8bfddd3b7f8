#pragma once

#include "platform/MessageBoxes.h"

#include <functional>

// The message boxes of the main window, the engine's reports among them.
// A box covers part of the window, so each one, once answered, has the
// window repainted (and the game's time stands while it is up); the boxes
// are counted, so a loop can tell that the player was told something.
class WindowMessageBoxes : public platform::MessageBoxes {
public:
    WindowMessageBoxes(platform::MessageBoxes& boxes, std::function<void()> beforeEach,
                       std::function<void()> afterEach)
        : boxes_(boxes), beforeEach_(std::move(beforeEach)), afterEach_(std::move(afterEach))
    {
    }

    int Show(const std::string& text, const std::string& caption, unsigned style) override;
    int Count() const { return count_; }

private:
    platform::MessageBoxes& boxes_;
    std::function<void()> beforeEach_;
    std::function<void()> afterEach_;
    int count_ = 0;
};
