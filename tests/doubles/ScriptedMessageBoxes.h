#pragma once

#include "platform/MessageBoxes.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Records every box and answers from a script; with the script used up it
// answers with the box's first button (OK, or Yes for Yes/No boxes).
class ScriptedMessageBoxes : public platform::MessageBoxes {
public:
    struct Box {
        std::string text;
        std::string caption;
        unsigned style;
    };

    int Show(const std::string& text, const std::string& caption, unsigned style) override
    {
        shown.push_back({text, caption, style});
        if (onShow) onShow();
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        const unsigned type = style & platform::MB_TYPEMASK;
        return type == platform::MB_YESNO || type == platform::MB_YESNOCANCEL ? platform::IDYES : platform::IDOK;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Box& box : shown) texts.push_back(box.text);
        return texts;
    }

    std::vector<Box> shown;
    std::deque<int> answers;
    // Runs while a box is up, as the player would act then.
    std::function<void()> onShow;
};
