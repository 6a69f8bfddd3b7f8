#pragma once

#include "platform/MessageBoxes.h"

#include <cstdio>

namespace platform {

// Message boxes for terminal programs: the box is printed, and a box with a
// choice reads the answer from the input stream (end of input answers the
// way closing the box would).
class ConsoleMessageBoxes : public MessageBoxes {
public:
    ConsoleMessageBoxes(std::FILE* in = stdin, std::FILE* out = stdout) : in_(in), out_(out) {}
    int Show(const std::string& text, const std::string& caption, unsigned style) override;

private:
    std::FILE* in_;
    std::FILE* out_;
};

} // namespace platform
