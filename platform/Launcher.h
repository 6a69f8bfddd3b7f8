#pragma once

#include <string>

namespace platform {

// Starts other programs for the player: a browser, a mail program. Nothing
// is reported when one cannot be started.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts program on its own, with parameters as one command-line text
    // (blanks separate arguments, quotation marks group them).
    virtual void Start(const std::string& program, const std::string& parameters) = 0;
    // Opens an address (http:, mailto:) with the desktop's default program.
    virtual void Open(const std::string& address) = 0;
};

} // namespace platform
