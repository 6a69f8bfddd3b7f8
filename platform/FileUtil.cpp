#include "platform/FileUtil.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char chunk[4096];
    std::size_t got;
    bool tooLarge = false;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (data.size() + got > maxBytes) {
            tooLarge = true;
            break;
        }
        data.append(chunk, got);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || tooLarge) return std::nullopt;
    return data;
}

namespace {

bool WriteAll(int fd, const std::string& contents)
{
    std::size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::uint64_t FileVersion(std::FILE* file)
{
    struct stat s {};
    if (!file || fstat(fileno(file), &s) != 0) return 0;
    std::uint64_t h = 0;
    for (const std::uint64_t field :
         {std::uint64_t(s.st_dev), std::uint64_t(s.st_ino), std::uint64_t(s.st_size), std::uint64_t(s.st_mtim.tv_sec),
          std::uint64_t(s.st_mtim.tv_nsec)}) {
        // splitmix64's finaliser over each field in turn.
        h = (h ^ field) + 0x9E3779B97F4A7C15ull;
        h = (h ^ h >> 30) * 0xBF58476D1CE4E5B9ull;
        h = (h ^ h >> 27) * 0x94D049BB133111EBull;
        h ^= h >> 31;
    }
    return h != 0 ? h : 1;
}

bool ReplaceFile(const std::string& path, const std::string& contents)
{
    // One fixed name: callers hold the file's lock, and a temporary left by a
    // writer that was killed is simply overwritten by the next one.
    const std::string temp = path + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, contents) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself lasts through a power cut only once its folder is synced.
    const std::string folder = FolderOf(path);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

bool MakeFolders(const std::string& path)
{
    if (path.empty()) return false;
    for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : ".") + "/.config";
}

std::string ConfigFolder()
{
    return ConfigHome() + "/Quillory";
}

std::string DataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : ".") + "/.local/share";
}

} // namespace platform
