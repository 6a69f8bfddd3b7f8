#include "platform/HostPathMap.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

namespace platform {
namespace {

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> SplitComponents(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        if (slash > start) parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

// The entry of folder whose name equals part without regard to case; the first
// one the folder lists wins when several differ only in case.
std::string MatchInFolder(const std::string& folder, const std::string& part)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return {};
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, part.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string Join(const std::string& folder, const std::string& part)
{
    if (folder.empty()) return part;
    return folder.back() == '/' ? folder + part : folder + "/" + part;
}

} // namespace

std::string HostPathMap::Resolve(const std::string& name) const
{
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.empty() || Exists(path)) return path;

    std::string resolved = path[0] == '/' ? "/" : "";
    for (const std::string& part : SplitComponents(path)) {
        std::string exact = Join(resolved, part);
        if (part == "." || part == ".." || Exists(exact)) {
            resolved = exact;
            continue;
        }
        const std::string match = MatchInFolder(resolved, part);
        if (match.empty()) return path; // not there in any case: let the open fail
        resolved = Join(resolved, match);
    }
    return resolved;
}

} // namespace platform
