#include "platform/DesktopMotion.h"

#include "platform/FileUtil.h"
#include "platform/IniProfile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// What `gsettings get` prints for GNOME's switch, or "" without GNOME.
std::string GnomeAnimations()
{
    std::FILE* out = ::popen("gsettings get org.gnome.desktop.interface enable-animations 2>/dev/null", "r");
    if (!out) return "";
    char line[32] = {};
    const bool read = std::fgets(line, sizeof line, out) != nullptr;
    ::pclose(out);
    return read ? std::string(line) : "";
}

std::string KdeAnimationFactor()
{
    return IniProfile(ConfigHome() + "/kdeglobals").GetString("KDE", "AnimationDurationFactor", "");
}

// An environment value of exactly 1 or 0 decides alone.
bool Decides(const char* environment)
{
    return environment && (environment[0] == '1' || environment[0] == '0') && environment[1] == '\0';
}

} // namespace

bool ReducesMotion(const char* environment, const std::string& gnomeAnimations, const std::string& kdeFactor)
{
    if (Decides(environment)) return environment[0] == '1';
    if (gnomeAnimations.rfind("false", 0) == 0) return true;
    return !kdeFactor.empty() && std::strtod(kdeFactor.c_str(), nullptr) == 0.0;
}

bool DesktopReducesMotion()
{
    const char* environment = std::getenv("PAIRLET_REDUCED_MOTION");
    if (Decides(environment)) return environment[0] == '1';
    return ReducesMotion(nullptr, GnomeAnimations(), KdeAnimationFactor());
}

} // namespace platform
