#include "platform/IniText.h"

#include <strings.h>

namespace platform {
namespace {

std::string Trim(const std::string& s)
{
    const char* blanks = " \t\r";
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::string Unquote(const std::string& s)
{
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        return s.substr(1, s.size() - 2);
    return s;
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

} // namespace

IniText::IniText(const std::string& text)
{
    std::size_t start = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3; // UTF-8 byte-order mark
    if (text.find("\r\n") != std::string::npos) newline_ = "\r\n";
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        lines_.push_back(Classify(raw));
        start = end + 1;
    }
}

IniText::Line IniText::Classify(const std::string& raw)
{
    Line line;
    line.raw = raw;
    const std::string t = Trim(raw);
    if (t.empty() || t[0] == ';' || t[0] == '#') return line;
    if (t[0] == '[') {
        const std::size_t close = t.find(']');
        line.isSection = true;
        line.section = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string::npos) return line;
    line.isKey = true;
    line.key = Trim(t.substr(0, eq));
    line.value = Unquote(Trim(t.substr(eq + 1)));
    return line;
}

std::optional<std::string> IniText::Find(const std::string& section, const std::string& key) const
{
    bool inSection = false;
    for (const Line& line : lines_) {
        if (line.isSection) inSection = SameName(line.section, section);
        else if (inSection && line.isKey && SameName(line.key, key)) return line.value;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniText::FindSection(const std::string& section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].isSection && SameName(lines_[i].section, section)) return i;
    return std::nullopt;
}

void IniText::Set(const std::string& section, const std::string& key, const std::string& value)
{
    const Line entry = Classify(key + "=" + value);
    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        if (!lines_.empty() && !Trim(lines_.back().raw).empty()) lines_.push_back(Classify(""));
        lines_.push_back(Classify("[" + section + "]"));
        lines_.push_back(entry);
        return;
    }
    std::size_t insertAt = *header + 1;
    for (std::size_t i = *header + 1; i < lines_.size() && !lines_[i].isSection; ++i) {
        if (lines_[i].isKey && SameName(lines_[i].key, key)) {
            lines_[i] = Classify(lines_[i].key + "=" + value); // keeps the file's spelling of the key
            return;
        }
        if (lines_[i].isKey) insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

std::string IniText::Join() const
{
    std::string out;
    for (const Line& line : lines_) out += line.raw + newline_;
    return out;
}

} // namespace platform
