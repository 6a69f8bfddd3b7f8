#pragma once

#include "platform/Volumes.h"

#include <map>

// Volumes as a test lays them out; free space by folder, unknown elsewhere.
class FakeVolumes : public platform::Volumes {
public:
    std::vector<Volume> List() const override { return volumes; }
    std::optional<std::uint64_t> FreeBytes(const std::string& folder) const override
    {
        auto it = freeBytes.find(folder);
        return it == freeBytes.end() ? std::nullopt : std::optional<std::uint64_t>(it->second);
    }

    std::vector<Volume> volumes;
    std::map<std::string, std::uint64_t> freeBytes;
};
