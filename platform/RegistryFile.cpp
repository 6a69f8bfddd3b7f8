#include "platform/RegistryFile.h"

#include "platform/FileLock.h"
#include "platform/FileUtil.h"

#include <algorithm>
#include <cstdio>
#include <strings.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr const char* Header = "QUILLORY-REGISTRY 1";
constexpr const char* Trailer = "END";
constexpr std::size_t MaxStoreBytes = 16 * 1024 * 1024;

std::string Quote(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<unsigned> HexByte(const std::string& s, std::size_t at)
{
    if (at + 2 > s.size()) return std::nullopt;
    const int hi = HexDigit(s[at]), lo = HexDigit(s[at + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    return static_cast<unsigned>(hi * 16 + lo);
}

// Reads a quoted string starting at pos; leaves pos after the closing quote.
std::optional<std::string> Unquote(const std::string& s, std::size_t& pos)
{
    if (pos >= s.size() || s[pos] != '"') return std::nullopt;
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= s.size()) return std::nullopt;
        if (s[pos] == '\\' || s[pos] == '"') {
            out += s[pos];
        } else if (s[pos] == 'x') {
            const std::optional<unsigned> byte = HexByte(s, pos + 1);
            if (!byte) return std::nullopt;
            out += static_cast<char>(*byte);
            pos += 2;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string FormatValue(const RegistryValue& v)
{
    if (v.type == RegistryValue::Number && v.bytes.size() == 4) {
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08X", v.ToNumber());
        return text;
    }
    const bool plainString = v.type == RegistryValue::String && !v.bytes.empty() &&
                             v.bytes.find('\0') == v.bytes.size() - 1;
    if (plainString) return Quote(v.bytes.substr(0, v.bytes.size() - 1));
    std::string out = "hex(" + std::to_string(v.type) + "):";
    for (std::size_t i = 0; i < v.bytes.size(); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i ? ",%02X" : "%02X", static_cast<unsigned char>(v.bytes[i]));
        out += hex;
    }
    return out;
}

std::optional<RegistryValue> ParseDword(const std::string& s)
{
    if (s.size() != 8) return std::nullopt;
    std::uint32_t n = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        n = (n << 4) | static_cast<std::uint32_t>(d);
    }
    return RegistryValue::FromNumber(n);
}

std::optional<RegistryValue> ParseHex(const std::string& s)
{
    const std::size_t close = s.find("):");
    if (close == std::string::npos || close == 0 || close > 10) return std::nullopt;
    RegistryValue v;
    v.type = 0;
    for (std::size_t i = 0; i < close; ++i) {
        if (s[i] < '0' || s[i] > '9') return std::nullopt;
        v.type = v.type * 10 + static_cast<std::uint32_t>(s[i] - '0');
    }
    for (std::size_t at = close + 2; at < s.size(); at += 3) {
        const std::optional<unsigned> byte = HexByte(s, at);
        if (!byte || (at + 2 < s.size() && s[at + 2] != ',')) return std::nullopt;
        v.bytes += static_cast<char>(*byte);
    }
    return v;
}

std::optional<RegistryValue> ParseValue(const std::string& s)
{
    if (s.rfind("dword:", 0) == 0) return ParseDword(s.substr(6));
    if (s.rfind("hex(", 0) == 0) return ParseHex(s.substr(4));
    std::size_t pos = 0;
    std::optional<std::string> text = Unquote(s, pos);
    if (!text || pos != s.size()) return std::nullopt;
    return RegistryValue::FromText(*text);
}

} // namespace

RegistryValue RegistryValue::FromNumber(std::uint32_t number)
{
    RegistryValue v;
    v.type = Number;
    for (int i = 0; i < 4; ++i) v.bytes += static_cast<char>((number >> (8 * i)) & 0xFFu);
    return v;
}

std::uint32_t RegistryValue::ToNumber() const
{
    std::uint32_t number = 0;
    for (std::size_t i = std::min<std::size_t>(bytes.size(), 4); i-- > 0;)
        number = (number << 8) | static_cast<unsigned char>(bytes[i]);
    return number;
}

RegistryValue RegistryValue::FromText(const std::string& text)
{
    RegistryValue v;
    v.type = String;
    v.bytes = text.substr(0, text.find('\0'));
    v.bytes += '\0';
    return v;
}

bool RegistryFile::NoCase::operator()(const std::string& a, const std::string& b) const
{
    return ::strcasecmp(a.c_str(), b.c_str()) < 0;
}

bool RegistryFile::ValidKeyPath(const std::string& keyPath)
{
    return !keyPath.empty() && keyPath.find_first_of("]\r\n", 0) == std::string::npos &&
           keyPath.find('\0') == std::string::npos;
}

std::optional<RegistryFile::Keys> RegistryFile::Parse(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (lines.size() < 2 || lines.front() != Header || lines.back() != Trailer) return std::nullopt;

    Keys keys;
    Values* current = nullptr;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::string path = line.substr(1, line.size() - 1 - (line.back() == ']'));
            if (line.back() != ']' || !ValidKeyPath(path)) return std::nullopt;
            current = &keys[path];
            continue;
        }
        std::size_t pos = 0;
        std::optional<std::string> name;
        if (line.front() == '@') {
            name.emplace();
            pos = 1;
        } else {
            name = Unquote(line, pos);
        }
        if (!current || !name || pos >= line.size() || line[pos] != '=') return std::nullopt;
        std::optional<RegistryValue> value = ParseValue(line.substr(pos + 1));
        if (!value) return std::nullopt;
        (*current)[*name] = *value;
    }
    return keys;
}

std::string RegistryFile::Serialize(const Keys& keys)
{
    std::string out = std::string(Header) + "\n";
    for (const auto& [path, values] : keys) {
        out += "[" + path + "]\n";
        for (const auto& [name, value] : values)
            out += (name.empty() ? std::string("@") : Quote(name)) + "=" + FormatValue(value) + "\n";
        out += "\n";
    }
    return out + Trailer;
}

std::optional<RegistryFile::Keys> RegistryFile::Load() const
{
    const std::optional<std::string> text = ReadWholeFile(path_, MaxStoreBytes);
    if (!text) return std::nullopt;
    return Parse(*text);
}

bool RegistryFile::KeyExists(const std::string& keyPath) const
{
    const std::optional<Keys> keys = Load();
    return keys && keys->count(keyPath) != 0;
}

std::optional<RegistryValue> RegistryFile::Query(const std::string& keyPath, const std::string& valueName,
                                                 bool* keyFound) const
{
    if (keyFound) *keyFound = false;
    const std::optional<Keys> keys = Load();
    if (!keys) return std::nullopt;
    const auto key = keys->find(keyPath);
    if (key == keys->end()) return std::nullopt;
    if (keyFound) *keyFound = true;
    const auto value = key->second.find(valueName);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

template <typename Change> bool RegistryFile::Update(Change change)
{
    const std::string folder = FolderOf(path_);
    if (!folder.empty() && !MakeFolders(folder)) return false;
    FileLock lock(path_ + ".lock");
    if (!lock.Held()) return false;

    const std::optional<std::string> text = ReadWholeFile(path_, MaxStoreBytes);
    std::optional<Keys> keys = text ? Parse(*text) : std::nullopt;
    if (!keys) {
        if (::access(path_.c_str(), F_OK) == 0) std::rename(path_.c_str(), (path_ + ".damaged").c_str());
        keys.emplace();
    }
    change(*keys);
    return ReplaceFile(path_, Serialize(*keys));
}

bool RegistryFile::CreateKey(const std::string& keyPath)
{
    if (!ValidKeyPath(keyPath)) return false;
    if (KeyExists(keyPath)) return true;
    return Update([&](Keys& keys) { keys[keyPath]; });
}

bool RegistryFile::SetValue(const std::string& keyPath, const std::string& valueName,
                            const RegistryValue& value)
{
    if (!ValidKeyPath(keyPath)) return false;
    const std::string name = valueName.substr(0, valueName.find('\0'));
    return Update([&](Keys& keys) { keys[keyPath][name] = value; });
}

} // namespace platform
