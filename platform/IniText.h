#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One INI text split into lines, with the lookups and the edit the profile
// needs. Knows nothing of files, so it can be fed anything.
class IniText {
public:
    explicit IniText(const std::string& text);

    std::optional<std::string> Find(const std::string& section, const std::string& key) const;
    void Set(const std::string& section, const std::string& key, const std::string& value);
    std::string Join() const;

private:
    struct Line {
        std::string raw;
        std::string section; // section header name, for header lines
        std::string key;     // key name, for key lines
        std::string value;
        bool isSection = false;
        bool isKey = false;
    };

    static Line Classify(const std::string& raw);
    std::optional<std::size_t> FindSection(const std::string& section) const;

    std::vector<Line> lines_;
    std::string newline_ = "\n";
};

} // namespace platform
