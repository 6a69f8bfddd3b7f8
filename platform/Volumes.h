#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The places a disc can be read from: the mounted volumes, in the order
// they were mounted, with their root folder and label ("" when it has none).
class Volumes {
public:
    struct Volume {
        std::string root;
        std::string label;
    };

    virtual ~Volumes() = default;
    virtual std::vector<Volume> List() const = 0;
    // Bytes the user may still write on the volume that holds folder (or
    // would hold it, when it does not exist yet); nothing when unknown.
    virtual std::optional<std::uint64_t> FreeBytes(const std::string& folder) const = 0;
};

} // namespace platform
