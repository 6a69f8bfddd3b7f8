#include "game/ContentFile.h"

#include "platform/Profile.h"

#include <cstdio>

std::string ContentFile::NumberedKey(const std::string& prefix, int number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return prefix + digits;
}

int ContentFile::CountEntries(const std::string& section, const std::string& prefix) const
{
    int i = -1;
    bool found = true;
    while (found && i < MaxEntries) {
        ++i;
        found = profile_.GetString(section, NumberedKey(prefix, i + 1), NoSound) != NoSound;
    }
    return i;
}

std::string ContentFile::Value(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const
{
    return profile_.GetString(section, key, defaultValue);
}

std::string ContentFile::NumberedValue(const std::string& section, const std::string& prefix, int number,
                                       const std::string& defaultValue) const
{
    return Value(section, NumberedKey(prefix, number), defaultValue);
}

std::string ContentFile::TileName(int picture) const
{
    return NumberedValue("Tiles", "TILE", picture, NoEntry);
}

std::string ContentFile::TilePicturePath(int picture) const
{
    return "bmp\\" + TileName(picture) + ".bmp";
}

std::string ContentFile::AnimationPath(int picture, const std::string& folderPrefix) const
{
    return folderPrefix + TileName(picture) + ".flc";
}
