#pragma once

#include "platform/Volumes.h"

#include <map>

// Volumes as a test lays them out; free space by folder, unknown elsewhere.
class FakeVolumes : public platform::Volumes {
public:
    std::vector<Volume> List() const override
    {
        ++listings;
        return volumes;
    }
    std::optional<std::uint64_t> FreeBytes(const std::string& folder) const override
    {
        asked.push_back(folder);
        auto it = freeBytes.find(folder);
        if (it == freeBytes.end()) return std::nullopt;
        return it->second;
    }

    std::vector<Volume> volumes;
    std::map<std::string, std::uint64_t> freeBytes;
    mutable int listings = 0;
    mutable std::vector<std::string> asked;
};
