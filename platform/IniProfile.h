#pragma once

#include "platform/Profile.h"

namespace platform {

// A profile kept in an INI file, read anew on every lookup so that an edited
// file takes effect at once. Lines are "[section]" or "key = value"; blanks
// around names and values are dropped, one pair of surrounding quotes is
// removed, and lines starting with ';' or '#' are comments. Inline comments
// are not recognised: a value may contain ';'.
class IniProfile : public Profile {
public:
    explicit IniProfile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override;
    // Changes the first such key in place, or adds it to the section (or the
    // section to the end); every other line stays as it was.
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    std::string path_;
};

} // namespace platform
