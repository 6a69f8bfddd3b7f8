#pragma once

#include <string>

namespace platform {
class Profile;
}

// The names the content file gives the game, looked up whenever they are
// needed so that an edited file takes effect at once.
class ContentFile {
public:
    static constexpr int MaxEntries = 99;
    // What a lookup yields for an absent picture or cover, and for an absent
    // sound (which also ends a run of numbered entries).
    static constexpr const char* NoEntry = "NO INI FILE ENTRY";
    static constexpr const char* NoSound = "none";

    explicit ContentFile(const platform::Profile& profile) : profile_(profile) {}

    // Length of the unbroken run prefix01, prefix02, … whose values are not
    // "none", at most 99.
    int CountEntries(const std::string& section, const std::string& prefix) const;

    std::string TileName(int picture) const;
    std::string TilePicturePath(int picture) const;
    // folderPrefix is prefixed unchanged: "anim\" or the installed folder.
    std::string AnimationPath(int picture, const std::string& folderPrefix) const;
    std::string NumberedValue(const std::string& section, const std::string& prefix, int number,
                              const std::string& defaultValue) const;
    std::string Value(const std::string& section, const std::string& key, const std::string& defaultValue) const;

    // prefix followed by number printed with at least two digits.
    static std::string NumberedKey(const std::string& prefix, int number);

private:
    const platform::Profile& profile_;
};
