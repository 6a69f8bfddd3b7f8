#pragma once

#include "platform/Launcher.h"

namespace platform {

// Detached processes and the desktop's default programs (xdg-open).
class QtLauncher : public Launcher {
public:
    void Start(const std::string& program, const std::string& parameters) override;
    void Open(const std::string& address) override;
};

} // namespace platform
