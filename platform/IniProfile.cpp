#include "platform/IniProfile.h"

#include "platform/FileLock.h"
#include "platform/FileUtil.h"
#include "platform/IniText.h"

#include <unistd.h>

namespace platform {
namespace {

// Profiles are small; a larger file is taken as not ours rather than read.
constexpr std::size_t MaxProfileBytes = 4 * 1024 * 1024;

// Names and values that would read back as other lines or other keys are refused.
bool Writable(const std::string& section, const std::string& key, const std::string& value)
{
    for (const std::string* s : {&section, &key, &value})
        if (s->find_first_of("\r\n") != std::string::npos) return false;
    if (section.find(']') != std::string::npos) return false;
    return !key.empty() && key.find('=') == std::string::npos && key.find_first_of("[;#") != 0;
}

} // namespace

std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const
{
    const std::optional<std::string> text = ReadWholeFile(path_, MaxProfileBytes);
    std::optional<std::string> value = text ? IniText(*text).Find(section, key) : std::nullopt;
    std::string result = value ? *value : defaultValue;
    if (result.size() > MaxValueLength) result.resize(MaxValueLength);
    return result;
}

bool IniProfile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value)
{
    if (!Writable(section, key, value)) return false;
    const std::string folder = FolderOf(path_);
    if (!folder.empty() && !MakeFolders(folder)) return false;

    FileLock lock(path_ + ".lock");
    if (!lock.Held()) return false;
    std::optional<std::string> text = ReadWholeFile(path_, MaxProfileBytes);
    if (!text) {
        if (::access(path_.c_str(), F_OK) == 0) return false; // there but unreadable: keep it
        text.emplace();
    }
    IniText ini(*text);
    ini.Set(section, key, value);
    return ReplaceFile(path_, ini.Join());
}

} // namespace platform
