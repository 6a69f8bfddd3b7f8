#pragma once

#include "platform/Volumes.h"

namespace platform {

// The local file systems of the mount table, then the folders named in
// PAIRLET_VOLUMES ("LABEL=/path" entries separated by ':'), which stand for
// a disc copied to the disk. Labels come from QStorageInfo. Network and FUSE
// mounts are left out and never queried: a server that does not answer
// would hang the window. Every root ends with '/'.
class QtVolumes : public Volumes {
public:
    explicit QtVolumes(std::string mountTable = "/proc/self/mounts") : mountTable_(std::move(mountTable)) {}

    std::vector<Volume> List() const override;
    // The space of the nearest folder that exists on the way up to the root.
    std::optional<std::uint64_t> FreeBytes(const std::string& folder) const override;

    // False for the kinds of file system that are never queried: remote,
    // FUSE, and the kernel's own that hold no files.
    static bool Queried(const std::string& type);

private:
    struct Mount {
        std::string dir, type;
    };
    std::vector<Mount> Mounts() const;
    static std::vector<Volume> FromEnvironment();

    std::string mountTable_;
};

} // namespace platform
