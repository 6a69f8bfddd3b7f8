#pragma once

#include "platform/Launcher.h"

#include <string>
#include <vector>

// Records what would have been started or opened.
class RecordingLauncher : public platform::Launcher {
public:
    struct Started {
        std::string program, parameters;
    };
    void Start(const std::string& program, const std::string& parameters) override
    {
        started.push_back({program, parameters});
    }
    void Open(const std::string& address) override { opened.push_back(address); }

    std::vector<Started> started;
    std::vector<std::string> opened;
};
