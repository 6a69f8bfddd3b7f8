#include "game/WindowMessageBoxes.h"

int WindowMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style)
{
    ++count_;
    if (beforeEach_) beforeEach_();
    const int answer = boxes_.Show(text, caption, style);
    if (afterEach_) afterEach_();
    return answer;
}
