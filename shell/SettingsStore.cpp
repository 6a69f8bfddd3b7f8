#include "shell/SettingsStore.h"

#include "platform/FileUtil.h"
#include "platform/RegistryFile.h"

#include <optional>

namespace {

constexpr std::size_t MaxKeyPath = 260;
constexpr std::size_t MaxKeyClass = 39;

std::string g_keyPath;
std::string g_keyClass;

// Opening a key creates it, as reading a setting always has; a key that can
// be neither found nor created makes the operation fail quietly.
std::optional<platform::RegistryValue> QueryValue(const std::string& file, const std::string& name)
{
    platform::RegistryFile store(file);
    bool keyFound = false;
    std::optional<platform::RegistryValue> value = store.Query(g_keyPath, name, &keyFound);
    if (!keyFound && !store.CreateKey(g_keyPath)) return std::nullopt;
    return value;
}

std::string CopyDefault(const std::string& def, std::size_t destSize)
{
    return destSize == 0 ? std::string() : def.substr(0, destSize - 1);
}

std::string ReadStringFrom(const std::string& file, const std::string& name, std::size_t destSize,
                           const std::string& def)
{
    const std::optional<platform::RegistryValue> value = QueryValue(file, name);
    if (!value || value->bytes.size() > destSize) return CopyDefault(def, destSize);
    // Whatever the type, the bytes are the text up to the first zero byte.
    return value->bytes.substr(0, value->bytes.find('\0'));
}

} // namespace

void SetSettingsKey(const char* windowClass, const std::string& keyPath)
{
    g_keyPath = keyPath.substr(0, MaxKeyPath);
    g_keyClass = windowClass ? std::string(windowClass).substr(0, MaxKeyClass) : std::string();
}

const std::string& SettingsKeyPath() { return g_keyPath; }
const std::string& SettingsKeyClass() { return g_keyClass; }

std::string UserSettingsFile() { return platform::ConfigFolder() + "/current-user.reg"; }
std::string ClassesSettingsFile() { return platform::ConfigFolder() + "/classes-root.reg"; }

std::int32_t ReadNumber(const std::string& valueName, std::int32_t def)
{
    const std::optional<platform::RegistryValue> value = QueryValue(UserSettingsFile(), valueName);
    if (!value || value->bytes.size() > 4) return def;
    return static_cast<std::int32_t>(value->ToNumber());
}

int WriteNumber(const std::string& valueName, std::int32_t number)
{
    platform::RegistryFile store(UserSettingsFile());
    return store.SetValue(g_keyPath, valueName,
                          platform::RegistryValue::FromNumber(static_cast<std::uint32_t>(number)))
               ? 1
               : 0;
}

std::string ReadString(const std::string& valueName, std::size_t destSize, const std::string& def)
{
    return ReadStringFrom(UserSettingsFile(), valueName, destSize, def);
}

std::string ReadClassesString(const std::string& valueName, std::size_t destSize, const std::string& def)
{
    return ReadStringFrom(ClassesSettingsFile(), valueName, destSize, def);
}

int WriteString(const std::string& valueName, const std::string& text)
{
    platform::RegistryFile store(UserSettingsFile());
    return store.SetValue(g_keyPath, valueName, platform::RegistryValue::FromText(text)) ? 1 : 0;
}
