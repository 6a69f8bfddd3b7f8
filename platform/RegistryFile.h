#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A typed value as the registry keeps it: a type and raw bytes. Strings are
// stored with their terminating zero byte, numbers as four little-endian bytes.
struct RegistryValue {
    enum Type : std::uint32_t { String = 1, Number = 4 };
    std::uint32_t type = String;
    std::string bytes;

    static RegistryValue FromNumber(std::uint32_t number);
    static RegistryValue FromText(const std::string& text);
    // The bytes as a little-endian number; only the first four count.
    std::uint32_t ToNumber() const;
};

// One registry root kept in a text file. Key paths and value names match
// without regard to case; "" names a key's default value.
//
// Every call goes to the file: reads parse it anew, changes are made under an
// exclusive lock and replace the file atomically, so several processes share
// it safely and a writer killed halfway leaves the previous file intact. A
// missing or damaged file reads as empty; a damaged one is set aside as
// "<file>.damaged" by the next change, which then starts a clean file.
class RegistryFile {
public:
    explicit RegistryFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // What the file holds now; a missing or damaged file holds nothing.
    // keyFound, when given, tells whether the key itself exists.
    bool KeyExists(const std::string& keyPath) const;
    std::optional<RegistryValue> Query(const std::string& keyPath, const std::string& valueName,
                                       bool* keyFound = nullptr) const;

    bool CreateKey(const std::string& keyPath);
    bool SetValue(const std::string& keyPath, const std::string& valueName, const RegistryValue& value);

    // A key path the file can hold: no line breaks, no ']' and not empty.
    static bool ValidKeyPath(const std::string& keyPath);

    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    using Values = std::map<std::string, RegistryValue, NoCase>;
    using Keys = std::map<std::string, Values, NoCase>;

    // The file's text form; Parse refuses anything Serialize would not write.
    static std::optional<Keys> Parse(const std::string& text);
    static std::string Serialize(const Keys& keys);

private:
    std::optional<Keys> Load() const;
    template <typename Change> bool Update(Change change);

    std::string path_;
};

} // namespace platform
