#pragma once

#include <cstdio>
#include <string>

namespace platform {

// Turns the game's Windows-style names ("bmp\cat.bmp", "FROG.WAV") into paths
// of this system at the moment a file is opened. The rules keep the original
// strings, so comparisons of names still see backslashes.
class PathMap {
public:
    virtual ~PathMap() = default;
    virtual std::string Resolve(const std::string& name) const = 0;

    std::FILE* Open(const std::string& name, const char* mode) const
    {
        return std::fopen(Resolve(name).c_str(), mode);
    }
};

} // namespace platform
