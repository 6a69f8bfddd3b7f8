#pragma once

#include <string>

namespace platform {

// Profile-string lookup as the game's content file and the user's system
// profile use it: section and key names match without regard to case, the
// first occurrence wins, and a missing file, section or key yields the default.
class Profile {
public:
    static constexpr std::size_t MaxValueLength = 260;

    virtual ~Profile() = default;
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

} // namespace platform
