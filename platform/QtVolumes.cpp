#include "platform/QtVolumes.h"

#include <QStorageInfo>

#include <mntent.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace platform {

namespace {

const std::set<std::string> NotQueried = {
    // Remote: a query waits for the server.
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "glusterfs", "davfs", "lustre",
    // FUSE: a query waits for the daemon.
    "fuse", "fuseblk",
    // The kernel's own: no files of a player's.
    "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "mqueue", "securityfs", "debugfs", "tracefs",
    "pstore", "bpf", "autofs", "configfs", "fusectl", "hugetlbfs", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",
    "selinuxfs"};

std::string WithSeparator(std::string path)
{
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// Whether dir is path itself or one of the folders above it.
bool Holds(const std::string& dir, const std::string& path)
{
    if (dir == "/") return true;
    return path.compare(0, dir.size(), dir) == 0 && (path.size() == dir.size() || path[dir.size()] == '/');
}

std::string NearestExisting(const std::string& folder)
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) return "/";
    while (path.has_relative_path() && !std::filesystem::exists(path, error)) path = path.parent_path();
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text.empty() ? "/" : text;
}

} // namespace

bool QtVolumes::Queried(const std::string& type)
{
    return type.compare(0, 5, "fuse.") != 0 && NotQueried.count(type) == 0;
}

std::vector<QtVolumes::Mount> QtVolumes::Mounts() const
{
    std::vector<Mount> mounts;
    FILE* table = ::setmntent(mountTable_.c_str(), "r");
    if (!table) return mounts;
    while (const mntent* entry = ::getmntent(table)) {
        std::string dir = entry->mnt_dir;
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        mounts.push_back({dir, entry->mnt_type});
    }
    ::endmntent(table);
    return mounts;
}

std::vector<Volumes::Volume> QtVolumes::List() const
{
    std::vector<Volume> volumes;
    for (const Mount& mount : Mounts()) {
        if (!Queried(mount.type)) continue;
        const QStorageInfo info(QString::fromStdString(mount.dir));
        if (!info.isValid()) continue;
        volumes.push_back({WithSeparator(mount.dir), info.name().toStdString()});
    }
    for (Volume& copied : FromEnvironment()) volumes.push_back(std::move(copied));
    return volumes;
}

std::vector<Volumes::Volume> QtVolumes::FromEnvironment()
{
    std::vector<Volume> volumes;
    const char* listed = std::getenv("PAIRLET_VOLUMES");
    if (!listed) return volumes;
    const std::string text = listed;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(':', start);
        if (end == std::string::npos) end = text.size();
        const std::string entry = text.substr(start, end - start);
        const std::size_t equals = entry.find('=');
        if (equals != std::string::npos && equals + 1 < entry.size())
            volumes.push_back({WithSeparator(entry.substr(equals + 1)), entry.substr(0, equals)});
        start = end + 1;
    }
    return volumes;
}

std::optional<std::uint64_t> QtVolumes::FreeBytes(const std::string& folder) const
{
    const std::string path = NearestExisting(folder);
    // The last mount of the deepest folder is the one that is seen there.
    const Mount* holder = nullptr;
    const std::vector<Mount> mounts = Mounts();
    for (const Mount& mount : mounts)
        if (Holds(mount.dir, path) && (!holder || mount.dir.size() >= holder->dir.size())) holder = &mount;
    if (holder && !Queried(holder->type)) return std::nullopt;
    const QStorageInfo info(QString::fromStdString(path));
    if (!info.isValid() || !info.isReady() || info.bytesAvailable() < 0) return std::nullopt;
    return std::uint64_t(info.bytesAvailable());
}

} // namespace platform
