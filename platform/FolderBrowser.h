#pragma once

#include <optional>
#include <string>

namespace platform {

// Lets the player pick a folder; nothing when the choice was cancelled.
class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    virtual std::optional<std::string> Choose(const std::string& title) = 0;
};

} // namespace platform
